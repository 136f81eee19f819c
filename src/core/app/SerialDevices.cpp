// Serial device permissions.
#include "core/app/SerialDevices.h"

#include "core/base/StringUtils.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <grp.h>
#include <set>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace quarno {

namespace {

constexpr size_t kDevicesNamed = 4;
const char* const kDeviceKinds[] = {"ttyUSB", "ttyACM", "ttyS"}; // the order of the list

// The kind's index in kDeviceKinds and the number, or false.
bool ParseDeviceName(std::string_view name, size_t& kind, long& number) {
    for (size_t i = 0; i < std::size(kDeviceKinds); ++i) {
        std::string_view prefix = kDeviceKinds[i];
        if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
        std::string_view digits = name.substr(prefix.size());
        if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c)) != 0;
            }))
            return false;
        kind = i;
        number = std::stol(std::string(digits));
        return true;
    }
    return false;
}

bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

// The device names (ttyUSB0 ...) standing as words in text.
void CollectDeviceNames(std::string_view text, std::set<std::string>& names) {
    size_t at = 0;
    while ((at = text.find("tty", at)) != std::string_view::npos) {
        size_t end = at;
        while (end < text.size() && IsNameChar(text[end]))
            ++end;
        bool wordStart = at == 0 || !IsNameChar(text[at - 1]);
        if (wordStart && IsSerialDeviceName(text.substr(at, end - at)))
            names.emplace(text.substr(at, end - at));
        at = end;
    }
}

bool MentionsPermissionError(const std::string& text) {
    std::string lower = LowerCase(text);
    for (const char* phrase :
         {"permission denied", "access denied", "eacces", "operation not permitted"})
        if (lower.find(phrase) != std::string::npos) return true;
    return false;
}

std::string ExtractName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "a", "a and b", "a, b and c"
std::string JoinedList(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " and " : ", ";
        text += items[i];
    }
    return text;
}

std::string DeviceList(const std::vector<TDeviceNode>& blocked) {
    std::vector<std::string> names;
    for (size_t i = 0; i < blocked.size() && i < kDevicesNamed; ++i)
        names.push_back(blocked[i].path);
    if (blocked.size() > kDevicesNamed)
        names.push_back(Format("%d more", int(blocked.size() - kDevicesNamed)));
    return JoinedList(names);
}

// The groups a user can usefully join: not root, not nameless.
std::vector<std::string> JoinableGroups(const std::vector<TDeviceNode>& blocked) {
    std::vector<std::string> groups;
    for (const TDeviceNode& node : blocked) {
        bool numeric =
            !node.group.empty() && std::all_of(node.group.begin(), node.group.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c)) != 0;
            });
        if (node.group.empty() || node.group == "root" || numeric) continue;
        if (std::find(groups.begin(), groups.end(), node.group) == groups.end())
            groups.push_back(node.group);
    }
    return groups;
}

} // namespace

bool TSystemDeviceAccess::Writable(const std::string& path) const {
    return ::access(path.c_str(), W_OK) == 0;
}

std::string TSystemDeviceAccess::OwningGroup(const std::string& path) const {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::string();
    std::vector<char> buffer(16384);
    group entry{};
    group* found = nullptr;
    if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->gr_name;
    return std::to_string(info.st_gid);
}

bool IsSerialDeviceName(std::string_view name) {
    size_t kind = 0;
    long number = 0;
    return ParseDeviceName(name, kind, number);
}

std::vector<TDeviceNode> SerialDeviceNodes(const std::string& folder, const IDeviceAccess& access) {
    std::vector<std::tuple<size_t, long, std::string>> found;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            size_t kind = 0;
            long number = 0;
            if (ParseDeviceName(entry->d_name, kind, number))
                found.emplace_back(kind, number, entry->d_name);
        }
        ::closedir(dir);
    }
    std::sort(found.begin(), found.end());
    std::vector<TDeviceNode> nodes;
    for (const auto& [kind, number, name] : found) {
        std::string path = folder + name;
        nodes.push_back({path, access.Writable(path), access.OwningGroup(path)});
    }
    return nodes;
}

std::string DeviceAccessReason(const TProgramEnd& end, const std::vector<TDeviceNode>& nodes) {
    if (end.exitCode == 0 && !end.crashed) return std::string();
    std::set<std::string> named;
    for (const std::string& arg : end.args)
        CollectDeviceNames(arg, named);
    CollectDeviceNames(end.errorOutput, named);
    if (named.empty() && !MentionsPermissionError(end.errorOutput)) return std::string();
    std::vector<TDeviceNode> blocked;
    for (const TDeviceNode& node : nodes)
        if (!node.writable && (named.empty() || named.count(ExtractName(node.path))))
            blocked.push_back(node);
    if (blocked.empty()) return std::string();
    bool one = blocked.size() == 1;
    std::string text = (one ? "the device " : "the devices ") + DeviceList(blocked) +
                       (one ? " is" : " are") + " not writable for you; ";
    std::vector<std::string> groups = JoinableGroups(blocked);
    if (groups.empty()) return text + "ask your administrator for write access";
    std::vector<std::string> quoted;
    std::string joined;
    for (const std::string& group : groups) {
        quoted.push_back("\"" + group + "\"");
        joined += (joined.empty() ? "" : ",") + group;
    }
    return text + "add yourself to the group" + (groups.size() > 1 ? "s " : " ") +
           JoinedList(quoted) + (groups.size() > 1 ? " that own " : " that owns ") +
           (one ? "it" : "them") + " (sudo usermod -aG " + joined +
           " $USER), then log out and log in again";
}

} // namespace quarno
