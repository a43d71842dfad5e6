#include "tools/ArgumentParser.h"

#include "tools/ToolSupport.h"

#include <algorithm>
#include <set>

namespace ardenvo::tool {

ArgumentParser::ArgumentParser(std::string usage, Style style)
    : m_usage(std::move(usage)), m_style(style) {}

ArgumentParser& ArgumentParser::flag(std::string name, bool& given) {
    m_flags.emplace_back(std::move(name), &given);
    return *this;
}

ArgumentParser& ArgumentParser::option(std::string name, Take take) {
    m_options.push_back({std::move(name), std::move(take)});
    return *this;
}

ArgumentParser& ArgumentParser::option(std::string name, std::string& target) {
    m_options.push_back({std::move(name),
                         [&target](const std::string& value) {
                             target = value;
                             return std::string();
                         },
                         m_style == Style::Terse});
    return *this;
}

ArgumentParser& ArgumentParser::option(std::string name, std::optional<std::string>& target) {
    return option(std::move(name), [&target](const std::string& value) {
        target = value;
        return std::string();
    });
}

ArgumentParser& ArgumentParser::option(std::string name, std::vector<std::string>& list) {
    return option(std::move(name), [&list](const std::string& value) {
        list.push_back(value);
        return std::string();
    });
}

const ArgumentParser::Option* ArgumentParser::find(const std::string& name) const {
    const auto found = std::find_if(m_options.begin(), m_options.end(),
                                    [&name](const Option& o) { return o.name == name; });
    return found == m_options.end() ? nullptr : &*found;
}

bool ArgumentParser::takeFlag(const std::string& arg) const {
    const auto flag = std::find_if(m_flags.begin(), m_flags.end(),
                                   [&arg](const auto& f) { return f.first == arg; });
    if (flag == m_flags.end())
        return false;
    *flag->second = true;
    return true;
}

bool ArgumentParser::usage(std::ostream& err) const {
    printUsage(err, m_usage);
    return false;
}

bool ArgumentParser::fail(std::ostream& err, const std::string& message) const {
    reportError(err, message);
    return usage(err);
}

bool ArgumentParser::parse(const std::vector<std::string>& args, std::string& file,
                           std::ostream& err) const {
    return m_style == Style::Terse ? parseTerse(args, file, err) : parseExplained(args, file, err);
}

bool ArgumentParser::parseTerse(const std::vector<std::string>& args, std::string& file,
                                std::ostream& err) const {
    std::set<const Option*> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (takeFlag(arg))
            continue;
        const Option* option = find(arg);
        if (option && i + 1 < args.size() && !given.contains(option) &&
            !(option->needsText && args[i + 1].empty())) {
            given.insert(option);
            if (const std::string complaint = option->take(args[++i]); !complaint.empty()) {
                reportError(err, complaint);
                return false;
            }
        } else if (file.empty() && !arg.empty() && !option) {
            file = arg;
        } else {
            return usage(err);
        }
    }
    return file.empty() ? usage(err) : true;
}

bool ArgumentParser::parseExplained(const std::vector<std::string>& args, std::string& file,
                                    std::ostream& err) const {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (takeFlag(arg))
            continue;
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!file.empty())
                return fail(err, "more than one file: " + arg);
            file = arg;
            continue;
        }
        if (i + 1 >= args.size())
            return fail(err, arg + " needs a value");
        const std::string& value = args[++i];
        const Option* option = find(arg);
        if (!option)
            return fail(err, "unknown option " + arg);
        if (const std::string complaint = option->take(value); !complaint.empty())
            return fail(err, complaint);
    }
    return file.empty() ? fail(err, "no house file given") : true;
}

} // namespace ardenvo::tool
