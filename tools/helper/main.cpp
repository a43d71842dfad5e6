// The helper of ardenvo-tool: runs the commands that need the PDF, ZIP and QR code libraries.
#include "tools/helper/HelperRuns.h"

int main(int argc, char** argv) {
    return ardenvo::tool::toolMain(argc, argv, ardenvo::tool::helperRun);
}
