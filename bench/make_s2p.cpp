// Writes a deterministic two-port Touchstone file of N points with a noise block, for the
// S-parameter speed measurements:  make_s2p N FILE [RI|MA|DB]
//
// The device is a smooth model of a small-signal amplifier from 0.1 to 20 GHz (gain rolling
// off, reflections and isolation turning with frequency, a fixed delay through it), so that
// every derived quantity has ordinary values and the phase wraps many times.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr double kTwoPi = 6.283185307179586;

struct Writer {
    std::FILE* f;
    std::string buf;
    void Num(double v, int decimals)
    {
        char tmp[64];
        const auto r = std::to_chars(tmp, tmp + sizeof tmp, v, std::chars_format::fixed, decimals);
        buf.append(tmp, r.ptr);
    }
    void Sep() { buf += ' '; }
    void Line()
    {
        buf += '\n';
        if (buf.size() > (1u << 20))
            Flush();
    }
    void Flush()
    {
        std::fwrite(buf.data(), 1, buf.size(), f);
        buf.clear();
    }
};

void Pair(Writer& w, std::string_view format, double re, double im)
{
    w.Sep();
    if (format == "RI") {
        w.Num(re, 6);
        w.Sep();
        w.Num(im, 6);
        return;
    }
    const double mag = std::hypot(re, im);
    const double ang = std::atan2(im, re) * 360.0 / kTwoPi;
    w.Num(format == "DB" ? 20.0 * std::log10(mag) : mag, 6);
    w.Sep();
    w.Num(ang, 4);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: make_s2p N FILE [RI|MA|DB]\n", stderr);
        return 2;
    }
    const long n = std::strtol(argv[1], nullptr, 10);
    const std::string_view format = argc > 3 ? argv[3] : "RI";
    if (n < 2 || (format != "RI" && format != "MA" && format != "DB")) {
        std::fputs("usage: make_s2p N FILE [RI|MA|DB]  (N at least 2)\n", stderr);
        return 2;
    }
    std::FILE* f = std::fopen(argv[2], "wb");
    if (!f) {
        std::perror(argv[2]);
        return 1;
    }
    Writer w{f, {}};
    w.buf += "! Synthetic amplifier, ";
    w.buf += std::to_string(n);
    w.buf += " points, written by make_s2p\n# GHz S ";
    w.buf += format;
    w.buf += " R 50\n";

    const double f0 = 0.1, f1 = 20.0;
    for (long k = 0; k < n; ++k) {
        const double fg = f0 + (f1 - f0) * static_cast<double>(k) / static_cast<double>(n - 1);
        const double x = fg / f1;
        const double delay = 0.35;   // ns through the device
        const double th = -kTwoPi * fg * delay;
        const double g = 9.0 / std::sqrt(1.0 + (fg / 4.0) * (fg / 4.0));
        const double r1 = 0.75 - 0.3 * x, a1 = -kTwoPi * (0.4 * x + 0.05 * std::sin(7.0 * x));
        const double r2 = 0.55 - 0.15 * x, a2 = -kTwoPi * 0.3 * x;
        const double iso = 0.02 + 0.08 * x;
        w.Num(fg, 9);
        Pair(w, format, r1 * std::cos(a1), r1 * std::sin(a1));
        Pair(w, format, g * std::cos(th + 3.0), g * std::sin(th + 3.0));
        Pair(w, format, iso * std::cos(th * 0.5 + 1.0), iso * std::sin(th * 0.5 + 1.0));
        Pair(w, format, r2 * std::cos(a2), r2 * std::sin(a2));
        w.Line();
    }
    w.buf += "! Noise parameters: freq NFmin |Gopt| ang(Gopt) rn\n";
    const long nn = 101;
    for (long k = 0; k < nn; ++k) {
        const double fg = f0 + (f1 - f0) * static_cast<double>(k) / static_cast<double>(nn - 1);
        w.Num(fg, 9);
        w.Sep();
        w.Num(0.3 + 0.08 * fg, 4);
        w.Sep();
        w.Num(0.8 - 0.025 * fg, 4);
        w.Sep();
        w.Num(std::remainder(20.0 + 12.0 * fg, 360.0), 2);
        w.Sep();
        w.Num(0.35 - 0.01 * fg, 4);
        w.Line();
    }
    w.Flush();
    return std::fclose(f) == 0 ? 0 : 1;
}
