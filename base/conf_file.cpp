#include "base/conf_file.h"

#include <stdlib.h>
#include <string.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/file_read.h"
#include "base/paths.h"
#include "base/user_dir.h"

FILE *conf_file;

static bool conf_is_open;                 // set by conf_open, cleared by conf_close
static std::vector<char> conf_text;       // the whole file read
// Value of the last line of each key that parses as a number; keys point into conf_text.
static std::unordered_map<std::string_view, int32_t> conf_ints;

// conf_read_string's result; also holds the search text of the latest text lookup.
static char string_value[CONF_LINE_SIZE];

// "%i" at text: true and the value when at least one digit parsed. Out-of-range numbers
// are held at the nearest 32-bit limit instead of wrapping.
static bool parse_int(const char *text, int32_t *out)
{
    char *end;
    long long v = strtoll(text, &end, 0);
    if (end == text)
        return false;
    if (v > INT32_MAX)
        v = INT32_MAX;
    if (v < INT32_MIN)
        v = INT32_MIN;
    *out = (int32_t)v;
    return true;
}

// Visits the text's lines as a line reader with a CONF_LINE_SIZE buffer sees them: each
// piece ends after a line feed or after CONF_LINE_SIZE - 1 bytes, and reads as a C string
// (up to its first NUL). offset is where the piece starts in conf_text.
template <typename Visit> static bool for_each_line(Visit visit)
{
    char line[CONF_LINE_SIZE];
    size_t size = conf_text.size();
    for (size_t at = 0; at < size;) {
        size_t n = size - at < CONF_LINE_SIZE - 1 ? size - at : CONF_LINE_SIZE - 1;
        const char *feed = (const char *)memchr(&conf_text[at], '\n', n);
        if (feed)
            n = (size_t)(feed - &conf_text[at]) + 1;
        memcpy(line, &conf_text[at], n);
        line[n] = '\0';
        if (!visit(line, at))
            return false;
        at += n;
    }
    return true;
}

// One pass over the text finds every key's number, so a lookup costs no scan of the file.
static void index_numbers(void)
{
    conf_ints.clear();
    for_each_line([](const char *line, size_t offset) {
        const char *equals = strchr(line, '=');
        int32_t value;
        if (equals && parse_int(equals + 1, &value))
            conf_ints[std::string_view(&conf_text[offset], (size_t)(equals - line))] = value;
        return true;
    });
}

bool conf_open_text(const char *text, size_t size)
{
    // A file saved by a Windows editor may begin with a UTF-8 byte-order mark, which would
    // otherwise be part of the first key.
    static const char BOM[] = "\xEF\xBB\xBF";
    if (size >= sizeof BOM - 1 && memcmp(text, BOM, sizeof BOM - 1) == 0) {
        text += sizeof BOM - 1;
        size -= sizeof BOM - 1;
    }
    conf_text.assign(text, text + size);
    index_numbers();
    conf_is_open = true;
    return true;
}

bool conf_open(const char *name)
{
    conf_close();
    char path[PATH_BUFFER_SIZE];
    std::vector<unsigned char> data;
    if (!user_load_path(path, sizeof path, name) || !read_whole(path, READ_LIMIT_CONF, data))
        return false;
    return conf_open_text((const char *)data.data(), data.size());
}

void conf_close(void)
{
    conf_is_open = false;
    conf_ints.clear();
    conf_text.clear();
}

// Forms key "=" into out; false when it does not fit, so a cut key never matches another.
static bool make_search_text(char *out, size_t size, const char *key)
{
    int n = snprintf(out, size, "%s=", key);
    return n > 0 && (size_t)n < size;
}

int32_t conf_read_int(const char *key, int32_t def)
{
    char search[CONF_LINE_SIZE];
    if (!conf_is_open || !make_search_text(search, sizeof search, key))
        return def;
    auto found = conf_ints.find(std::string_view(key));
    return found == conf_ints.end() ? def : found->second;
}

const char *conf_read_string(const char *key, const char *def)
{
    if (!conf_is_open || !make_search_text(string_value, sizeof string_value, key))
        return def;
    char search[CONF_LINE_SIZE];
    memcpy(search, string_value, sizeof search);
    size_t search_len = strlen(search);
    const char *result = def;
    for_each_line([&](const char *line, size_t) {
        const char *at = strstr(line, search);
        if (!at)
            return true;
        // The first line holding the search text decides, even when the key stands further
        // in; such a line yields the default.
        const char *value = line + search_len;
        if (at != line || (unsigned char)value[0] < 32)
            return false;
        size_t n = strcspn(value, "\t\r\n");   // \r: a Windows line end
        memcpy(string_value, value, n);
        string_value[n] = '\0';
        result = string_value;
        return false;
    });
    return result;
}

std::vector<std::string> conf_lines_starting(const char *prefix)
{
    std::vector<std::string> lines;
    size_t prefix_len = strlen(prefix);
    for_each_line([&](const char *line, size_t) {
        if (strncmp(line, prefix, prefix_len) == 0)
            lines.emplace_back(line, strcspn(line, "\r\n"));   // \r: a Windows line end
        return true;
    });
    return lines;
}

void conf_write_int(const char *key, int32_t value)
{
    if (conf_file)
        fprintf(conf_file, "%s=%i\n", key, (int)value);
}

void conf_write_line(const char *line)
{
    if (conf_file)
        fprintf(conf_file, "%s\n", line);
}
