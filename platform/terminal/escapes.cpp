#include "platform/terminal/escapes.h"

namespace tuikit::platform::escapes {

namespace {

void AppendNumber(std::string &out, int n)
{
    char buf[12];
    int len = 0;
    do {
        buf[len++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n > 0);
    while (len > 0) out += buf[--len];
}

void AppendModes(std::string &out, const DecMode *first, const DecMode *last, bool set, bool reverse)
{
    for (size_t i = 0, n = static_cast<size_t>(last - first); i < n; ++i)
        AppendMode(out, reverse ? first[n - 1 - i] : first[i], set);
}

SessionMode Modes(std::initializer_list<DecMode> modes, bool set)
{
    SessionMode m;
    AppendModes(m.on, modes.begin(), modes.end(), set, false);
    AppendModes(m.off, modes.begin(), modes.end(), !set, true);
    return m;
}

}  // namespace

void AppendCsi(std::string &out, char final, std::initializer_list<int> params, char prefix, char intermediate)
{
    out += "\x1b[";
    if (prefix) out += prefix;
    bool first = true;
    for (int p : params) {
        if (!first) out += ';';
        first = false;
        if (p >= 0) AppendNumber(out, p);
    }
    if (intermediate) out += intermediate;
    out += final;
}

std::string Csi(char final, std::initializer_list<int> params, char prefix, char intermediate)
{
    std::string out;
    AppendCsi(out, final, params, prefix, intermediate);
    return out;
}

size_t CsiSize(std::initializer_list<int> params)
{
    size_t size = 3 + (params.size() > 0 ? params.size() - 1 : 0);
    for (int p : params)
        if (p >= 0) size += Digits(p);
    return size;
}

void AppendMode(std::string &out, DecMode mode, bool set)
{
    AppendCsi(out, set ? 'h' : 'l', {static_cast<int>(mode)}, '?');
}

void AppendModeQuery(std::string &out, DecMode mode) { AppendCsi(out, 'p', {static_cast<int>(mode)}, '?', '$'); }

SessionMode SetModes(std::initializer_list<DecMode> modes) { return Modes(modes, true); }

SessionMode ResetModes(std::initializer_list<DecMode> modes) { return Modes(modes, false); }

}  // namespace tuikit::platform::escapes
