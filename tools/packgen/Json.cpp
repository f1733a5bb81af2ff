#include "Json.h"

#include <algorithm>
#include <cstdlib>

#include <nlohmann/json.hpp>

namespace korvid::packgen {

namespace {

const Json& NullJson() {
    static const Json null;
    return null;
}

// Our tree from the library's: numbers become doubles, objects keep the
// order of the file.
Json Convert(const nlohmann::ordered_json& j);

}  // namespace

class JsonParser {
public:
    static Json convert(const nlohmann::ordered_json& j) {
        Json out;
        switch (j.type()) {
        case nlohmann::ordered_json::value_t::null:
        case nlohmann::ordered_json::value_t::discarded:
            break;
        case nlohmann::ordered_json::value_t::boolean:
            out.type_ = Json::Type::Bool;
            out.bool_ = j.get<bool>();
            break;
        case nlohmann::ordered_json::value_t::number_integer:
        case nlohmann::ordered_json::value_t::number_unsigned:
        case nlohmann::ordered_json::value_t::number_float:
            out.type_ = Json::Type::Number;
            out.number_ = j.get<double>();
            break;
        case nlohmann::ordered_json::value_t::string:
            out.type_ = Json::Type::String;
            out.string_ = j.get<std::string>();
            break;
        case nlohmann::ordered_json::value_t::array:
            out.type_ = Json::Type::Array;
            out.array_.reserve(j.size());
            for (const auto& e : j) out.array_.push_back(convert(e));
            break;
        case nlohmann::ordered_json::value_t::object:
            out.type_ = Json::Type::Object;
            out.object_.reserve(j.size());
            for (const auto& [k, v] : j.items()) out.object_.emplace_back(k, convert(v));
            break;
        case nlohmann::ordered_json::value_t::binary:
            throw JsonError("binary values are not JSON text");
        }
        return out;
    }
};

namespace {
Json Convert(const nlohmann::ordered_json& j) { return JsonParser::convert(j); }

int LineOf(const std::string& text, std::size_t byte) {
    const std::size_t end = std::min(byte, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
}
}  // namespace

Json Json::parse(const std::string& text) {
    try {
        return Convert(nlohmann::ordered_json::parse(text));
    } catch (const nlohmann::ordered_json::parse_error& e) {
        // The library counts the byte after the fault: step back onto it.
        const std::size_t at = e.byte > 0 ? e.byte - 1 : 0;
        throw JsonError("JSON error at line " + std::to_string(LineOf(text, at)) + ": " + e.what());
    }
}

Json Json::substituted(const std::map<std::string, std::string>& texts) const {
    Json out = *this;
    if (type_ == Type::String) {
        const auto it = texts.find(string_);
        if (it != texts.end()) out.string_ = it->second;
    }
    for (Json& item : out.array_) item = item.substituted(texts);
    for (auto& [key, value] : out.object_) value = value.substituted(texts);
    return out;
}

double Json::number() const {
    if (type_ != Type::Number) throw JsonError("not a number");
    return number_;
}

bool Json::boolean() const {
    if (type_ != Type::Bool) throw JsonError("not a boolean");
    return bool_;
}

const std::string& Json::string() const {
    if (type_ != Type::String) throw JsonError("not a string");
    return string_;
}

const std::vector<Json>& Json::array() const {
    if (type_ != Type::Array) throw JsonError("not an array");
    return array_;
}

const std::vector<std::pair<std::string, Json>>& Json::members() const {
    if (type_ != Type::Object) throw JsonError("not an object");
    return object_;
}

bool Json::has(const std::string& key) const {
    if (type_ != Type::Object) return false;
    for (const auto& m : object_)
        if (m.first == key) return true;
    return false;
}

const Json& Json::get(const std::string& key) const {
    if (type_ == Type::Object)
        for (const auto& m : object_)
            if (m.first == key) return m.second;
    return NullJson();
}

const Json& Json::operator[](std::size_t index) const {
    if (type_ != Type::Array || index >= array_.size()) return NullJson();
    return array_[index];
}

std::size_t Json::size() const {
    if (type_ == Type::Array) return array_.size();
    if (type_ == Type::Object) return object_.size();
    return 0;
}

double Json::num(const std::string& key, double fallback) const {
    const Json& v = get(key);
    return v.isNumber() ? v.number_ : fallback;
}

int Json::integer(const std::string& key, int fallback) const {
    const Json& v = get(key);
    return v.isNumber() ? int(v.number_) : fallback;
}

std::string Json::str(const std::string& key, const std::string& fallback) const {
    const Json& v = get(key);
    return v.isString() ? v.string_ : fallback;
}

bool Json::flag(const std::string& key, bool fallback) const {
    const Json& v = get(key);
    return v.type_ == Type::Bool ? v.bool_ : fallback;
}

}  // namespace korvid::packgen
