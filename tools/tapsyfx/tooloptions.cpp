// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Tapsy developers
#include "tooloptions.h"

#include "effects/effects.h"

#include <algorithm>
#include <charconv>

TToolOptions::TToolOptions(int argc, char** argv, const std::vector<std::string>& known,
    const std::vector<std::string>& flags)
{
    // argv[0] is the subcommand's own name.
    for (int i = 1; i < argc; i += 2) {
        const std::string name = argv[i];
        const bool flag = std::find(flags.begin(), flags.end(), name.substr(std::min<size_t>(2, name.size()))) != flags.end();
        if (name.size() < 3 || name.compare(0, 2, "--") != 0
            || (!flag && std::find(known.begin(), known.end(), name.substr(2)) == known.end()))
            throw TToolError("unknown argument '" + name + "'");
        if (flag) {
            if (!m_values.emplace(name.substr(2), "").second)
                throw TToolError("'" + name + "' given twice");
            --i; // a flag takes no value
            continue;
        }
        if (i + 1 >= argc)
            throw TToolError("missing value after '" + name + "'");
        if (!m_values.emplace(name.substr(2), argv[i + 1]).second)
            throw TToolError("'" + name + "' given twice");
    }
}

std::string TToolOptions::Text(const std::string& name) const
{
    const auto it = m_values.find(name);
    if (it == m_values.end())
        throw TToolError("missing --" + name);
    return it->second;
}

int64_t TToolOptions::Integer(const std::string& name, int64_t min, int64_t max) const
{
    return ParseInteger(Text(name), min, max, "--" + name);
}

int64_t TToolOptions::Integer(const std::string& name, int64_t min, int64_t max, int64_t fallback) const
{
    return Has(name) ? Integer(name, min, max) : fallback;
}

int64_t ParseInteger(const std::string& text, int64_t min, int64_t max, const std::string& what)
{
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        throw TToolError(what + " expects a whole number, not '" + text + "'");
    if (value < min || value > max)
        throw TToolError(what + " must be " + std::to_string(min) + " to " + std::to_string(max)
            + ", not " + text);
    return value;
}

int32_t StyleOption(const TToolOptions& options)
{
    return int32_t(options.Integer("style", 1, EffectCount));
}

