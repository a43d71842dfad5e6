#include "platform/FileSizeLimit.h"
#include "shell/ArdenvoApp.h"

int main(int argc, char** argv) {
    ardenvo::ignoreFileSizeLimitSignal();
    return ardenvo::runArdenvo(argc, argv);
}
