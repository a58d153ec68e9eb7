#include "config/conf_file.h"

#include <stdlib.h>
#include <string.h>

#include "app/paths.h"

FILE *conf_file;

// conf_read_string's result; also holds the search text of the latest text lookup.
static char string_value[CONF_LINE_SIZE];

bool conf_open(const char *name, const char *mode)
{
    conf_file = nullptr;
    char path[PATH_BUFFER_SIZE];
    if (!data_path(path, sizeof path, name))
        return false;
    conf_file = fopen(path, mode);
    return conf_file != nullptr;
}

bool conf_close(void)
{
    if (!conf_file)
        return false;
    bool ok = !ferror(conf_file);
    if (fclose(conf_file) != 0)
        ok = false;
    conf_file = nullptr;
    return ok;
}

// Forms key "=" into out; false when it does not fit, so a cut key never matches another.
static bool make_search_text(char *out, size_t size, const char *key)
{
    int n = snprintf(out, size, "%s=", key);
    return n > 0 && (size_t)n < size;
}

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

int32_t conf_read_int(const char *key, int32_t def)
{
    char search[CONF_LINE_SIZE];
    if (!make_search_text(search, sizeof search, key) || !conf_file)
        return def;
    size_t search_len = strlen(search);
    int32_t result = def;
    char line[CONF_LINE_SIZE];
    rewind(conf_file);
    while (fgets(line, sizeof line, conf_file)) {
        // A line holding the key further in (such as "myscale=5") yields nothing.
        if (strncmp(line, search, search_len) == 0)
            parse_int(line + search_len, &result);
    }
    return result;
}

const char *conf_read_string(const char *key, const char *def)
{
    if (!make_search_text(string_value, sizeof string_value, key) || !conf_file)
        return def;
    char search[CONF_LINE_SIZE];
    memcpy(search, string_value, sizeof search);
    size_t search_len = strlen(search);
    char line[CONF_LINE_SIZE];
    rewind(conf_file);
    while (fgets(line, sizeof line, conf_file)) {
        const char *at = strstr(line, search);
        if (!at)
            continue;
        // The first line holding the search text decides, even when the key stands further
        // in; such a line yields the default.
        if (at != line)
            return def;
        const char *value = line + search_len;
        if ((signed char)value[0] < 32)
            return def;
        size_t n = strcspn(value, "\t\n");
        memcpy(string_value, value, n);
        string_value[n] = '\0';
        return string_value;
    }
    return def;
}

void conf_write_int(const char *key, int32_t value)
{
    if (conf_file)
        fprintf(conf_file, "%s=%i\n", key, (int)value);
}
