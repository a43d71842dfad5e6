#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace ardenvo {
class CBrenvikaDoc;
class FileSearch;
class MappedFile;
class SearchScope;
enum class FileError;
} // namespace ardenvo

namespace ardenvo::tool {

// Exit codes shared by the commands: 1 for a file that cannot be used, 2 for a wrong command line.
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The two numbers a house file starts with, as stored (a file is accepted when either matches).
struct FileHeader {
    std::int32_t formatId = 0;
    std::int32_t version = 0;
};

// One command's entry of the usage, laid out as the README shows it: "ardenvo-tool " and the
// synopsis (further synopsis lines under its first option), then the description from column 34:
// beside the synopsis when it leaves room, else on the lines below.
std::string usageEntry(const std::vector<std::string>& synopsis,
                       const std::vector<std::string>& description);
// "Usage: " and the entry, its further lines moved right so that they stay aligned.
void printUsage(std::ostream& os, const std::string& entry);

// Writes "ardenvo-tool: " and the message as one line on the error stream.
void reportError(std::ostream& err, const std::string& message);

// Checks that exactly one argument, the file, was given; otherwise prints the usage line and
// returns false (the command then exits with kExitUsage).
bool takeOneFile(const std::vector<std::string>& args, const std::string& usage, std::ostream& err);

// Whether a command only reads the house or writes it back.
enum class HouseUse { Read, Change };

// Reads the house at `path` into `doc`. A missing file, a folder, an unreadable file and a file
// the reader rejects each give one clear line on `err` and false. `header` receives the first
// two numbers of the file when it is given and the file loaded. A complete copy that an
// interrupted save left waiting beside the house is copied in first for a change (a failure to do
// so gives false), and only told of for a read.
bool loadHouse(const std::string& path, CBrenvikaDoc& doc, std::ostream& err,
               FileHeader* header = nullptr, HouseUse use = HouseUse::Read);

// The first half of loadHouse, for a command that reads the file's bytes its own way: the same
// checks and messages, then the file mapped into `file`.
bool mapHouse(const std::string& path, MappedFile& file, std::ostream& err,
              HouseUse use = HouseUse::Read);
// The second half: runs `read` over the mapped file and reports, as loadHouse does, a lack of
// memory, a file that changed while it was read and the reader's error; true when none.
bool readMappedHouse(const std::string& path, const MappedFile& file, std::ostream& err,
                     const std::function<FileError()>& read);

// The house of a command that reads one house and ends (check, info, reminders). It is never
// destroyed: freeing a large house record by record took a fifth of such a command's time, and the
// system takes the memory back at exit all the same. It stays reachable, so leak checkers do not
// count it; a second use replaces the house it held.
CBrenvikaDoc& oneShotHouse();

// A text as one field of a tab-separated line, whatever it holds: readable UTF-8, with tabs, line
// breaks and backslashes escaped (\t, \n, \r, \\) and every other control character shown as
// its bytes (\x1b), so a crafted name never forges a line or drives the terminal.
std::string lineField(std::string_view text);

// Keeps Qt's own warnings (image plugins complaining about a file) off the error stream, which
// carries only the tool's messages.
void silenceQtWarnings();

// The blocks named "SECTION/BLOCK" by --room options, or the whole house when none is named. A
// name that finds no block is reported and gives false.
bool selectRooms(const CBrenvikaDoc& doc, const std::vector<std::string>& rooms, SearchScope& scope,
                 std::ostream& err);
// The same over the house a FileSearch scanned.
bool selectRooms(const FileSearch& search, const std::vector<std::string>& rooms,
                 SearchScope& scope, std::ostream& err);

// The main program's Images folder: its data directory is found from where "ardenvo" sits, beside
// this tool once installed, in bin/ of a build tree.
std::string mainProgramImages();

// Flushes the output; a failed write (a full disk, a closed pipe) is reported and gives
// kExitFailure, so that a script never takes a cut-off listing for a whole one.
int finishOutput(std::ostream& out, std::ostream& err);

// The main program's Documents folder, beside its Images folder.
std::string mainProgramDocuments();

// Replaces the house at `path` with `doc` safely, as the main program saves it: the house as it
// was is kept among its earlier versions first (when that fails, the reason is told and the house
// is written all the same). False, with the reason told, when it could not be written.
bool replaceHouse(const std::string& path, const CBrenvikaDoc& doc, std::ostream& err);

} // namespace ardenvo::tool
