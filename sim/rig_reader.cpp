#include "sim/rig_reader.h"

#include <algorithm>
#include <charconv>

#include "sim/rig_text.h"

namespace tarvex::sim {

bool ParseNumberText(std::string_view text, uint32_t& value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [last, ec] = std::from_chars(text.data(), end, value, base);
    return ec == std::errc() && last == end;
}

namespace {

// ASCII letters, digits and '_', whatever the C locale says.
bool IsPlainName(const std::string& key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

}  // namespace

bool RigReader::Fail(const std::string& key, const std::string& what) {
    if (m_error.empty())
        m_error = m_source + ": " + PrintableText(key) + ": " + PrintableText(what);
    return false;
}

bool RigReader::Object(const nlohmann::json& value, const std::string& key,
                       std::initializer_list<std::string_view> allowed) {
    if (!value.is_object()) return Fail(key, "expected an object");
    for (const auto& item : value.items()) {
        bool known = false;
        for (std::string_view name : allowed) known = known || item.key() == name;
        // A key that is not a plain name is shown quoted, so that the message still names one
        // and ": " inside it cannot be read as the end of the key.
        const std::string name = IsPlainName(item.key()) ? item.key() : '"' + item.key() + '"';
        if (!known) return Fail(key.empty() ? name : key + "." + name, "unknown key");
    }
    return true;
}

bool RigReader::Array(const nlohmann::json& value, const std::string& key) {
    return value.is_array() || Fail(key, "expected an array");
}

bool RigReader::Bool(const nlohmann::json& value, const std::string& key, bool& out) {
    if (!value.is_boolean()) return Fail(key, "expected true or false");
    out = value.get<bool>();
    return true;
}

bool RigReader::Text(const nlohmann::json& value, const std::string& key, std::string& out) {
    if (!value.is_string()) return Fail(key, "expected a text");
    out = value.get<std::string>();
    return true;
}

bool RigReader::Number(const nlohmann::json& value, const std::string& key, uint32_t& out,
                       uint32_t max) {
    const std::string limit =
        "expected a number from 0 to " + std::to_string(max) + " (decimal or 0x hexadecimal)";
    uint32_t number = 0;
    if (value.is_number_unsigned()) {
        const auto wide = value.get<uint64_t>();
        if (wide > UINT32_MAX) return Fail(key, limit);
        number = static_cast<uint32_t>(wide);
    } else if (value.is_string()) {
        if (!ParseNumberText(value.get_ref<const std::string&>(), number)) return Fail(key, limit);
    } else {
        return Fail(key, limit);
    }
    if (number > max) return Fail(key, limit);
    out = number;
    return true;
}

bool RigReader::NumberKey(const std::string& text, const std::string& key, uint32_t& out) {
    return ParseNumberText(text, out) ||
           Fail(key, "expected an offset in decimal or 0x hexadecimal as the key");
}

const nlohmann::json* Member(const nlohmann::json& object, const char* key) {
    auto it = object.find(key);
    return it == object.end() ? nullptr : &*it;
}

}  // namespace tarvex::sim
