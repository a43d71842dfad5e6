#include "platform/FileSizeLimit.h"
#include "reminder/ui/ReminderApp.h"

int main(int argc, char** argv) {
    ardenvo::ignoreFileSizeLimitSignal();
    return ardenvo::runArdenvoReminder(argc, argv);
}
