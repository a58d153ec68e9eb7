// Texts that make a failure readable: a binding with every field, and a line looked up in a
// settings file.
#pragma once

#include <stdio.h>
#include <string>

#include "config/binding.h"

inline std::string str(const Binding &b)
{
    char t[96];
    snprintf(t, sizeof t, "{%i,%i,%i,%i,%i}", b.type, b.code, b.value, b.joyid, b.axis);
    return t;
}

// Whether text holds line as a whole line.
inline bool has_line(const std::string &text, const std::string &line)
{
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}
