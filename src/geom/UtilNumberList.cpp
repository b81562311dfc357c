// CUtil::StringToNum: a list of integers separated by commas or blanks, as typed by users for bar
// counts and spacings ("2,3,2" or "2 3 2").
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include <ckw/Util.h>

namespace {

// Decimal conversion as the C library's atoi reads it (leading blanks, optional sign, digits up to
// the first other character, nothing gives 0), with out-of-range values held at the int limits.
int TokenToInt(const std::string& token) {
    long value = std::strtol(token.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// A comma or blank ends a token; so does the last character, which belongs to the token itself
// (so a trailing comma does not add an empty number). Stops after `capacity` numbers.
int ParseNumberList(const char* text, int* values, int& count, long long capacity) {
    count = 0;
    if (!text) return 1;
    size_t length = std::strlen(text);
    std::string token;
    for (size_t i = 0; i < length; ++i) {
        char c = text[i];
        bool last = i + 1 == length;
        if (last) token += c;
        if (last || c == ',' || c == ' ') {
            if (count >= capacity) return 0;
            values[count++] = TokenToInt(token);
            token.clear();
        } else {
            token += c;
        }
    }
    return 1;
}

}  // namespace

void CUtil::StringToNum(char* text, int* values, int& count) { ParseNumberList(text, values, count, LLONG_MAX); }

int CUtil::StringToNum(const char* text, int* values, int& count, int capacity) {
    if (!values || capacity < 0) capacity = 0;
    return ParseNumberList(text, values, count, capacity);
}
