#pragma once

// Points XDG_CONFIG_HOME, XDG_DATA_HOME and XDG_RUNTIME_DIR at a fresh temporary directory for
// the life of the object, so tests never touch the user's real files.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace ardenvo::test {

class XdgSandbox {
public:
    XdgSandbox() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "ardenvo-test-XXXXXX").string();
        root = ::mkdtemp(pattern.data()) ? pattern : std::string();
        config = root + "/config";
        data = root + "/data";
        run = root + "/run";
        std::filesystem::create_directories(config);
        std::filesystem::create_directories(data);
        ::mkdir(run.c_str(), 0700);
        swap("XDG_CONFIG_HOME", config, m_oldConfig);
        swap("XDG_DATA_HOME", data, m_oldData);
        swap("XDG_RUNTIME_DIR", run, m_oldRun);
    }
    ~XdgSandbox() {
        restore("XDG_CONFIG_HOME", m_oldConfig);
        restore("XDG_DATA_HOME", m_oldData);
        restore("XDG_RUNTIME_DIR", m_oldRun);
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    XdgSandbox(const XdgSandbox&) = delete;
    XdgSandbox& operator=(const XdgSandbox&) = delete;

    std::string registryPath() const { return config + "/Ardenvo/registry.conf"; }
    std::string runtimeDir() const { return run + "/ardenvo"; }

    std::string root, config, data, run;

private:
    static void swap(const char* name, const std::string& value, std::optional<std::string>& old) {
        if (const char* v = std::getenv(name))
            old = v;
        ::setenv(name, value.c_str(), 1);
    }
    static void restore(const char* name, const std::optional<std::string>& old) {
        if (old)
            ::setenv(name, old->c_str(), 1);
        else
            ::unsetenv(name);
    }

    std::optional<std::string> m_oldConfig, m_oldData, m_oldRun;
};

} // namespace ardenvo::test
