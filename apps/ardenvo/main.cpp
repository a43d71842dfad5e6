#include "shell/ArdenvoApp.h"

int main(int argc, char** argv) {
    return ardenvo::runArdenvo(argc, argv);
}
