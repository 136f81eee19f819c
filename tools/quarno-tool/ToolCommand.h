// The command registry of quarno-tool. Each command lives in its own source
// file and registers itself with a static ToolCommandRegistrar, so adding a
// command is one small file.
#pragma once

#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace quarno::tool {

// A command-line mistake: exit status 2 and the usage text.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parsed arguments: options named with "--" (with or without a value, as the
// command declares) and the positional words in order.
class Args {
public:
    // valueOptions take the following word as their value; flags take none.
    Args(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
         const std::set<std::string>& flags);

    bool Has(const std::string& option) const { return m_options.count(option) != 0; }
    std::string Value(const std::string& option, const std::string& fallback = "") const;
    int IntValue(const std::string& option, int fallback) const;
    const std::vector<std::string>& Positional() const { return m_positional; }
    // Positional word i, else a usage error.
    const std::string& At(size_t i) const;
    // Usage error unless the count of positional words lies in [min, max].
    void ExpectCount(size_t min, size_t max) const;

private:
    std::map<std::string, std::string> m_options;
    std::vector<std::string> m_positional;
};

struct ToolCommand {
    std::string name;
    std::string usage; // one or more lines, shown by "quarno-tool" without arguments
    int (*run)(const std::vector<std::string>& args, std::ostream& out);
};

const std::map<std::string, ToolCommand>& Commands();

struct ToolCommandRegistrar {
    explicit ToolCommandRegistrar(ToolCommand command);
};

} // namespace quarno::tool
