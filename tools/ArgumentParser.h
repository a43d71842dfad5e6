#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace ardenvo::tool {

// Reads a command's arguments left to right: one house file, flags and "--name VALUE" options.
class ArgumentParser {
public:
    enum class Style {
        // Each option at most once; any other word that is not empty is the file, and only one
        // file is taken. A fault shows the usage alone, an option's own complaint only itself.
        Terse,
        // Every word from "--" on is an option (given again, the last one counts), anything else
        // the file; a fault is named above the usage.
        Explained,
    };
    // Takes an option's value: returns "" when taken, else what is wrong with it.
    using Take = std::function<std::string(const std::string& value)>;

    ArgumentParser(std::string usage, Style style);

    ArgumentParser& flag(std::string name, bool& given);
    ArgumentParser& option(std::string name, Take take);
    // The value lands in `target`; a Terse option needs one that is not empty.
    ArgumentParser& option(std::string name, std::string& target);
    ArgumentParser& option(std::string name, std::optional<std::string>& target);
    // Each value is added to `list`, so the option may be given again.
    ArgumentParser& option(std::string name, std::vector<std::string>& list);

    // Reads `args` into the flags, the options and `file`. A fault is written to `err` and gives
    // false (the command then exits with kExitUsage).
    bool parse(const std::vector<std::string>& args, std::string& file, std::ostream& err) const;

    // The message and the usage on `err`, for a fault the command finds itself; gives false.
    bool fail(std::ostream& err, const std::string& message) const;

private:
    struct Option {
        std::string name;
        Take take;
        bool needsText = false;
    };

    const Option* find(const std::string& name) const;
    // Sets the flag `arg` names, if it names one.
    bool takeFlag(const std::string& arg) const;
    bool usage(std::ostream& err) const;
    bool parseTerse(const std::vector<std::string>& args, std::string& file,
                    std::ostream& err) const;
    bool parseExplained(const std::vector<std::string>& args, std::string& file,
                        std::ostream& err) const;

    std::string m_usage;
    Style m_style;
    std::vector<std::pair<std::string, bool*>> m_flags;
    std::vector<Option> m_options;
};

} // namespace ardenvo::tool
