// Feeds arbitrary bytes as a house file to ardenvo-tool's json and csv commands, as a script runs
// them: a house that loads must be written out, and nothing else than "the file could not be
// used" may come back.
#include "tools/CommandTable.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        "/tmp/ardenvo-fuzz-writers-" + std::to_string(::getpid()) + ".av";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    for (const auto& command : {ardenvo::tool::jsonCommand(), ardenvo::tool::csvCommand()}) {
        std::ostringstream out, err;
        const int code = command.run({path}, out, err);
        if ((code == 0 && out.str().empty()) || (code != 0 && code != 1))
            std::abort();
    }
    return 0;
}
