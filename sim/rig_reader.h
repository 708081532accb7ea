#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace tarvex::sim {

// "123" or "0x7B"; false for anything else or a value beyond 32 bits.
bool ParseNumberText(std::string_view text, uint32_t& value);

// Typed reads of rig values. The first problem is kept as "<source>: <key>: <what>".
class RigReader {
public:
    explicit RigReader(std::string source) : m_source(std::move(source)) {}

    const std::string& Error() const { return m_error; }
    bool Fail(const std::string& key, const std::string& what);

    // An object holding only the allowed keys.
    bool Object(const nlohmann::json& value, const std::string& key,
                std::initializer_list<std::string_view> allowed);
    bool Array(const nlohmann::json& value, const std::string& key);
    bool Bool(const nlohmann::json& value, const std::string& key, bool& out);
    bool Text(const nlohmann::json& value, const std::string& key, std::string& out);
    // A number, or a text in decimal or 0x hexadecimal, up to max.
    bool Number(const nlohmann::json& value, const std::string& key, uint32_t& out,
                uint32_t max = UINT32_MAX);
    // The same for an object key standing for a number.
    bool NumberKey(const std::string& text, const std::string& key, uint32_t& out);

private:
    std::string m_source;
    std::string m_error;
};

// The member named key, or null.
const nlohmann::json* Member(const nlohmann::json& object, const char* key);

}  // namespace tarvex::sim
