// The command registry and argument parsing of quarno-tool.
#include "ToolCommand.h"

#include "core/base/StringUtils.h"

namespace quarno::tool {

static std::map<std::string, ToolCommand>& Registry() {
    static std::map<std::string, ToolCommand> registry;
    return registry;
}

const std::map<std::string, ToolCommand>& Commands() {
    return Registry();
}

ToolCommandRegistrar::ToolCommandRegistrar(ToolCommand command) {
    std::string name = command.name;
    Registry().emplace(name, std::move(command));
}

Args::Args(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
           const std::set<std::string>& flags) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            if (valueOptions.count(word)) {
                if (i + 1 >= words.size()) throw UsageError("option " + word + " needs a value");
                m_options[word] = words[++i];
            } else if (flags.count(word)) {
                m_options[word] = "";
            } else {
                throw UsageError("unknown option " + word);
            }
        } else {
            m_positional.push_back(word);
        }
    }
}

std::string Args::Value(const std::string& option, const std::string& fallback) const {
    auto found = m_options.find(option);
    return found == m_options.end() ? fallback : found->second;
}

int Args::IntValue(const std::string& option, int fallback) const {
    if (!Has(option)) return fallback;
    int value = 0;
    if (!TryParseInt(Value(option), value))
        throw UsageError("option " + option + " needs a number");
    return value;
}

const std::string& Args::At(size_t i) const {
    if (i >= m_positional.size()) throw UsageError("missing argument");
    return m_positional[i];
}

void Args::ExpectCount(size_t min, size_t max) const {
    if (m_positional.size() < min) throw UsageError("missing argument");
    if (m_positional.size() > max) throw UsageError("too many arguments");
}

} // namespace quarno::tool
