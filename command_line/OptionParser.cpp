#include "command_line/OptionParser.h"

#include <algorithm>

#include "base/InputFile.h"

namespace command_line {

namespace {

Request help() { return {true, false, false, ""}; }
Request version() { return {false, true, false, ""}; }
Request mistake(std::string error) { return {false, false, true, std::move(error)}; }

}  // namespace

Request read(const Grammar& grammar, const std::vector<std::string>& words) {
    if (grammar.mostWords && words.size() > *grammar.mostWords) return mistake("");
    bool havePositional = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "-h" || word == "--help") return help();
        if (word == "--version") return version();
        const auto option = std::find_if(grammar.options.begin(), grammar.options.end(),
                                         [&](const Option& o) { return o.name == word; });
        std::string error;
        if (option != grammar.options.end()) {
            std::string value;
            if (option->value != Value::None) {
                const bool missing =
                    i + 1 >= words.size() || (option->value == Value::FileName && words[i + 1].empty());
                if (missing) {
                    return mistake(word + (option->value == Value::FileName ? " needs a file name" : " needs a value"));
                }
                value = words[++i];
            }
            error = option->take(value);
        } else if (grammar.refuseUnknownOptions && word.size() > 1 && word[0] == '-') {
            error = "unknown option " + base::clipWord(word);
        } else if (havePositional) {
            error = "only one " + grammar.positional.name + " may be given";
        } else if (grammar.positional.refuseEmpty && word.empty()) {
            error = "\"\": the " + grammar.positional.name + " file name is empty";
        } else {
            havePositional = true;
            error = grammar.positional.take(word);
        }
        if (!error.empty()) return mistake(error);
    }
    return {};
}

}  // namespace command_line
