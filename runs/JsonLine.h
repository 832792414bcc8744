#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace runs {

// One JSON object written as one line, member by member, in the form the
// trace keeps: numbers with 17 significant digits (null when not finite),
// strings with their quotes, backslashes and control characters escaped.
class JsonLine {
public:
    void key(const char* name) {
        if (needComma_) text_ += ',';
        text_ += '"';
        text_ += name;
        text_ += "\":";
        needComma_ = false;
    }
    void open(const char* name) {
        key(name);
        text_ += '{';
    }
    void close() {
        text_ += '}';
        needComma_ = true;
    }
    void number(const char* name, double value) {
        key(name);
        if (std::isfinite(value)) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.17g", value);
            text_ += buffer;
        } else {
            text_ += "null";  // JSON has no infinities or NaN
        }
        needComma_ = true;
    }
    void integer(const char* name, long long value) {
        key(name);
        text_ += std::to_string(value);
        needComma_ = true;
    }
    void boolean(const char* name, bool value) {
        key(name);
        text_ += value ? "true" : "false";
        needComma_ = true;
    }
    void string(const char* name, const std::string& value) {
        key(name);
        quote(value);
        needComma_ = true;
    }
    void strings(const char* name, const std::vector<std::string>& values) {
        key(name);
        text_ += '[';
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0) text_ += ',';
            quote(values[i]);
        }
        text_ += ']';
        needComma_ = true;
    }
    // A value already written as JSON.
    void raw(const char* name, const std::string& json) {
        key(name);
        text_ += json;
        needComma_ = true;
    }
    // The whole object, closed.
    std::string finish() {
        text_ += '}';
        return std::move(text_);
    }

private:
    void quote(const std::string& value) {
        text_ += '"';
        for (unsigned char c : value) {
            if (c == '"' || c == '\\') {
                text_ += '\\';
                text_ += static_cast<char>(c);
            } else if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                text_ += buffer;
            } else {
                text_ += static_cast<char>(c);
            }
        }
        text_ += '"';
    }

    std::string text_ = "{";
    bool needComma_ = false;
};

}  // namespace runs
