#include "Json.h"

#include <cstdlib>

namespace korvid::packgen {

namespace {

const Json& NullJson() {
    static const Json null;
    return null;
}

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

}  // namespace

class JsonParser {
public:
    explicit JsonParser(const std::string& text) : text_(text) {}

    Json document() {
        Json value = parseValue();
        skipSpace();
        if (pos_ != text_.size()) fail("unexpected text after the document");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        int line = 1;
        for (std::size_t i = 0; i < pos_ && i < text_.size(); ++i)
            if (text_[i] == '\n') ++line;
        throw JsonError("JSON line " + std::to_string(line) + ": " + what);
    }

    void skipSpace() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }

    char peek() {
        skipSpace();
        if (pos_ >= text_.size()) fail("unexpected end of text");
        return text_[pos_];
    }

    void expect(char c) {
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++pos_;
    }

    bool literal(const char* word) {
        std::size_t n = std::char_traits<char>::length(word);
        if (text_.compare(pos_, n, word) != 0) return false;
        pos_ += n;
        return true;
    }

    Json parseValue() {
        char c = peek();
        Json v;
        if (c == '{') return parseObject();
        if (c == '[') return parseArray();
        if (c == '"') {
            v.type_ = Json::Type::String;
            v.string_ = parseString();
            return v;
        }
        if (literal("true")) {
            v.type_ = Json::Type::Bool;
            v.bool_ = true;
            return v;
        }
        if (literal("false")) {
            v.type_ = Json::Type::Bool;
            return v;
        }
        if (literal("null")) return v;
        return parseNumber();
    }

    Json parseNumber() {
        const char* start = text_.c_str() + pos_;
        char* end = nullptr;
        double d = std::strtod(start, &end);
        if (end == start) fail("expected a value");
        pos_ += std::size_t(end - start);
        Json v;
        v.type_ = Json::Type::Number;
        v.number_ = d;
        return v;
    }

    unsigned hex4() {
        if (pos_ + 4 > text_.size()) fail("short \\u escape");
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            char h = text_[pos_++];
            code <<= 4;
            if (h >= '0' && h <= '9') code |= unsigned(h - '0');
            else if (h >= 'a' && h <= 'f') code |= unsigned(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') code |= unsigned(h - 'A' + 10);
            else fail("bad hex digit in \\u escape");
        }
        return code;
    }

    std::string parseString() {
        expect('"');
        std::string out;
        while (true) {
            if (pos_ >= text_.size()) fail("unterminated string");
            char c = text_[pos_++];
            if (c == '"') return out;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) fail("unterminated escape");
            char e = text_[pos_++];
            switch (e) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned code = hex4();
                if (code >= 0xD800 && code < 0xDC00 && text_.compare(pos_, 2, "\\u") == 0) {
                    pos_ += 2;
                    unsigned low = hex4();
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendUtf8(out, code);
                break;
            }
            default: fail("unknown escape");
            }
        }
    }

    Json parseArray() {
        expect('[');
        Json v;
        v.type_ = Json::Type::Array;
        if (peek() == ']') {
            ++pos_;
            return v;
        }
        while (true) {
            v.array_.push_back(parseValue());
            char c = peek();
            ++pos_;
            if (c == ']') return v;
            if (c != ',') fail("expected ',' or ']'");
        }
    }

    Json parseObject() {
        expect('{');
        Json v;
        v.type_ = Json::Type::Object;
        if (peek() == '}') {
            ++pos_;
            return v;
        }
        while (true) {
            if (peek() != '"') fail("expected a key");
            std::string key = parseString();
            expect(':');
            v.object_.emplace_back(std::move(key), parseValue());
            char c = peek();
            ++pos_;
            if (c == '}') return v;
            if (c != ',') fail("expected ',' or '}'");
        }
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

Json Json::parse(const std::string& text) {
    return JsonParser(text).document();
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
