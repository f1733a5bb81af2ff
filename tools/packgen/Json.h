// A small JSON reader for the pack manifest: objects keep their key order,
// numbers are doubles, and a parse error names the line it happened on.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace korvid::packgen {

class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Json {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };

    Json() = default;
    static Json parse(const std::string& text);

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isNumber() const { return type_ == Type::Number; }
    bool isString() const { return type_ == Type::String; }
    bool isArray() const { return type_ == Type::Array; }
    bool isObject() const { return type_ == Type::Object; }

    // Typed reads; each throws JsonError when the value has another type.
    double number() const;
    bool boolean() const;
    const std::string& string() const;
    const std::vector<Json>& array() const;
    const std::vector<std::pair<std::string, Json>>& members() const;

    // Object access. get() returns a shared null value for a missing key.
    bool has(const std::string& key) const;
    const Json& get(const std::string& key) const;
    const Json& operator[](const std::string& key) const { return get(key); }
    const Json& operator[](std::size_t index) const;
    std::size_t size() const;

    // Reads with defaults, for optional manifest fields.
    double num(const std::string& key, double fallback) const;
    int integer(const std::string& key, int fallback) const;
    std::string str(const std::string& key, const std::string& fallback) const;
    bool flag(const std::string& key, bool fallback) const;

    // A copy in which every string equal to a key of `texts` (anywhere in
    // the tree, object keys aside) reads as that key's value instead.
    Json substituted(const std::map<std::string, std::string>& texts) const;

private:
    friend class JsonParser;
    Type type_ = Type::Null;
    bool bool_ = false;
    double number_ = 0;
    std::string string_;
    std::vector<Json> array_;
    std::vector<std::pair<std::string, Json>> object_;
};

}  // namespace korvid::packgen
