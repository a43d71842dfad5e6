// ardenvo-tool: scriptable access to Ardenvo houses without the GUI.
#include "tools/CommandTable.h"

int main(int argc, char** argv) {
    return ardenvo::tool::toolMain(argc, argv);
}
