#include "touchstone.h"

#include "core/units.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <thread>
#include <type_traits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef KORVEL_TWO_HALVES_FROM
extern std::size_t KORVEL_TWO_HALVES_FROM;
#endif

namespace korvel {

namespace {

// ---- Messages ---------------------------------------------------------------------------

constexpr std::string_view kLoadError = "File load error";
constexpr std::string_view kBadExtension = ": file extension does not conform to SnP convention";
constexpr std::string_view kTooManyPorts = ": SnP files currently limited to 1-port and 2-port devices ";
constexpr std::string_view kNoHeader = ": misssing header (#) line in SnP file.";
constexpr std::string_view kBadUnit = ".  Check frequency units for proper format";
constexpr std::string_view kMissingType = ".   Missing parameter type (e.g., S, Y, Z, G, H)";
constexpr std::string_view kBadType = ".   Check for proper parameter type format";
constexpr std::string_view kBadFormat = ".   Check for proper S-parameter MA/DB/RI complex number format.";
constexpr std::string_view kBadImpedance = ".  Check characteristic impedance for proper numeric format";
constexpr std::string_view kSDataSection = " in S data section of SnP file.";
constexpr std::string_view kNoiseSection = " in noise data section of SnP file.";

std::string LineMessage(long line, std::string_view specific)
{
    std::string text = " in line number: ";
    text += std::to_string(line);
    text += specific;
    return text;
}

std::string OtherTypeMessage(char letter)
{
    std::string text = ":  S-parameter format only - this is a ";
    text += letter;
    text += "-parameter file type";
    return text;
}

// ---- Numbers ------------------------------------------------------------------------------
//
// A data file of a million points holds nine million numbers, so the common case is read by
// hand: up to 19 significant digits and a small power of ten are exact in binary and one
// correctly rounded multiplication or division gives the nearest value. Anything longer or
// further out goes through std::from_chars.

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr float kPow10f[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Single precision holds every value of the data set; a number beyond its range is as
// malformed as a word where a number should be.
bool ToSingle(double value, float& out)
{
    if (!(std::fabs(value) <= static_cast<double>(FLT_MAX)))
        return false;
    out = static_cast<float>(value);
    return true;
}

constexpr std::uint64_t kPow10u[] = {1,      10,      100,      1000,      10000,
                                     100000, 1000000, 10000000, 100000000};

// Eight digit values (0..9, the first digit in the lowest byte) as one number.
inline std::uint64_t EightDigits(std::uint64_t v)
{
    v = v * 10 + (v >> 8);
    v = (((v & 0x000000FF000000FFull) * 0x000F424000000064ull) +
         (((v >> 16) & 0x000000FF000000FFull) * 0x0000271000000001ull)) >> 32;
    return v & 0xFFFFFFFFull;
}

// Appends the run of digits at p to m (m·10^n + digits) while m has room; the digits that
// do not fit are counted in `dropped`. Up to eight digits are taken in one step.
inline const char* Digits(const char* p, const char* e, std::uint64_t& m, int& taken, int& dropped)
{
    while (e - p >= 8 && m < 10000000000ull) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        const std::uint64_t x = w ^ 0x3030303030303030ull;
        // A byte is a digit when x is 0..9 there; the lowest byte that is not one ends the run
        // (carries only move towards later bytes, which are not looked at).
        const std::uint64_t notDigit = ((x + 0x7676767676767676ull) | x) & 0x8080808080808080ull;
        const int n = notDigit ? __builtin_ctzll(notDigit) >> 3 : 8;
        if (n == 0)
            return p;
        m = m * kPow10u[n] + EightDigits(n == 8 ? x : x << (8 * (8 - n)));
        taken += n;
        p += n;
        if (n < 8)
            return p;
    }
    for (; p < e && IsDigit(*p); ++p) {
        if (m < 100000000000000000ull) {
            m = m * 10 + static_cast<std::uint64_t>(*p - '0');
            ++taken;
        } else {
            ++dropped;
        }
    }
    return p;
}

// Reads a number at p: optional sign, digits with an optional point (at least one digit),
// optional exponent. Returns the end of the number, or nullptr when there is none or it is
// not finite in the target precision. Never reads at or beyond e.
template <class T>
const char* ScanNumber(const char* p, const char* e, T& out)
{
    bool negative = false;
    if (p < e && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* digits = p;
    std::uint64_t m = 0;
    int taken = 0;
    int dropped = 0;
    p = Digits(p, e, m, taken, dropped);
    int exp10 = dropped;
    bool any = taken + dropped > 0;
    if (p < e && *p == '.') {
        int fracTaken = 0;
        int fracDropped = 0;
        p = Digits(p + 1, e, m, fracTaken, fracDropped);
        exp10 -= fracTaken;
        dropped += fracDropped;
        any = any || fracTaken + fracDropped > 0;
    }
    if (!any)
        return nullptr;
    if (p < e && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool expNegative = false;
        if (q < e && (*q == '+' || *q == '-')) {
            expNegative = *q == '-';
            ++q;
        }
        if (q == e || !IsDigit(*q))
            return nullptr;
        int ev = 0;
        for (; q < e && IsDigit(*q); ++q)
            if (ev < 100000)
                ev = ev * 10 + (*q - '0');
        exp10 += expNegative ? -ev : ev;
        p = q;
    }
    const bool exact = dropped == 0;
    if constexpr (std::is_same_v<T, float>) {
        if (exact && m <= (std::uint64_t{1} << 24) && exp10 >= -10 && exp10 <= 10) {
            float v = static_cast<float>(m);
            v = exp10 < 0 ? v / kPow10f[-exp10] : v * kPow10f[exp10];
            out = negative ? -v : v;
            return p;
        }
    } else {
        if (exact && m <= (std::uint64_t{1} << 53) && exp10 >= -22 && exp10 <= 22) {
            double v = static_cast<double>(m);
            v = exp10 < 0 ? v / kPow10[-exp10] : v * kPow10[exp10];
            out = negative ? -v : v;
            return p;
        }
    }
    // from_chars takes a minus sign but not a plus sign.
    const char* from = negative ? digits - 1 : digits;
    double v = 0.0;
    const auto [ptr, ec] = std::from_chars(from, p, v, std::chars_format::general);
    if (ec != std::errc() || ptr != p || !std::isfinite(v))
        return nullptr;
    if constexpr (std::is_same_v<T, float>) {
        if (!ToSingle(v, out))
            return nullptr;
    } else {
        out = v;
    }
    return p;
}

// ---- Tokens -----------------------------------------------------------------------------
//
// A line is read as if it had been normalised: tabs and commas count as blanks, runs of
// blanks as one, an apostrophe stands alone as its own token, and "!" ends the line. Doing
// this while scanning, instead of rewriting each line, keeps a large file free of per-line
// copies.

constexpr bool IsSeparator(char c) { return c == ' ' || c == '\t' || c == ','; }
constexpr bool EndsToken(char c) { return IsSeparator(c) || c == '!' || c == '\''; }

class Tokens {
public:
    Tokens(const char* begin, const char* end) : p_(begin), end_(end) {}

    bool Next(std::string_view& token)
    {
        while (p_ < end_ && IsSeparator(*p_))
            ++p_;
        if (p_ == end_ || *p_ == '!') {
            p_ = end_;
            return false;
        }
        const char* start = p_;
        if (*p_ == '\'') {
            ++p_;
        } else {
            while (p_ < end_ && !EndsToken(*p_))
                ++p_;
        }
        token = std::string_view(start, static_cast<std::size_t>(p_ - start));
        return true;
    }

    // The next token as a number; false when there is none or it is not wholly a number.
    template <class T>
    bool NextNumber(T& value)
    {
        while (p_ < end_ && IsSeparator(*p_))
            ++p_;
        if (p_ == end_ || *p_ == '!' || *p_ == '\'')
            return false;
        const char* q = ScanNumber(p_, end_, value);
        if (!q || (q < end_ && !EndsToken(*q)))
            return false;
        p_ = q;
        return true;
    }

private:
    const char* p_;
    const char* end_;
};

// The end of the line starting at p: the first CR or LF, or the end of the text. Sixteen
// bytes at a time where the processor allows, since pass one looks at little else.
const char* LineEnd(const char* p, const char* end)
{
#ifdef __SSE2__
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && *p != '\n' && *p != '\r')
        ++p;
    return p;
}

// The start of the next line: CR LF is one line break, a lone CR or LF another.
const char* NextLine(const char* eol, const char* end)
{
    if (eol == end)
        return end;
    if (*eol == '\r' && eol + 1 < end && eol[1] == '\n')
        return eol + 2;
    return eol + 1;
}

// A whole token as a finite number. Words such as "inf" or "nan" are not numbers here.
bool ParseNumber(std::string_view token, double& value)
{
    const char* e = token.data() + token.size();
    return ScanNumber(token.data(), e, value) == e;
}

bool ParseSingle(std::string_view token, float& out)
{
    const char* e = token.data() + token.size();
    return ScanNumber(token.data(), e, out) == e;
}

std::string Upper(std::string_view s)
{
    std::string u(s);
    for (char& c : u)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return u;
}

// ---- Reading the file ---------------------------------------------------------------------

// The file's whole text: mapped (no copy, and the pages already scanned are handed back so
// that peak memory stays near the size of the data set), or read into memory where it cannot
// be mapped or its size is not known in advance. Only a regular file of at most
// kMaxSnpFileBytes is read: a FIFO would wait for ever for a writer, and a device such as
// /dev/zero never ends.
class FileText {
public:
    bool Open(const std::string& path)
    {
        // Looked at before it is opened, since opening some devices already does something;
        // and opened without waiting, in case a FIFO took the file's place in between.
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            return false;
        fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
            static_cast<std::uint64_t>(st.st_size) > kMaxSnpFileBytes)
            return false;
        if (st.st_size > 0) {
            size_ = static_cast<std::size_t>(st.st_size);
            void* m = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0);
            if (m != MAP_FAILED) {
                map_ = static_cast<char*>(m);
                ::madvise(map_, size_, MADV_SEQUENTIAL);
                return true;
            }
            size_ = 0;
        }
        char buffer[65536];
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n < 0)
                return false;
            if (n == 0)
                break;
            if (copy_.size() + static_cast<std::size_t>(n) > kMaxSnpFileBytes)
                return false;
            copy_.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }

    std::string_view Text() const
    {
        return map_ ? std::string_view(map_, size_) : std::string_view(copy_);
    }

    bool Mapped() const { return map_ != nullptr; }
    char* MapBase() const { return map_; }

    ~FileText()
    {
        if (map_)
            ::munmap(map_, size_);
        if (fd_ >= 0)
            ::close(fd_);
    }

private:
    int fd_ = -1;
    char* map_ = nullptr;
    std::size_t size_ = 0;
    std::string copy_;
};

// Hands back the mapped pages of one stretch of the file once they are scanned; they are
// read again from the page cache if a later pass needs them.
class PageReleaser {
public:
    PageReleaser(const FileText* file, const char* from)
        : base_(file && file->Mapped() ? file->MapBase() : nullptr),
          released_(base_ ? static_cast<std::size_t>(from - base_) : 0)
    {
        const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        released_ = (released_ + page - 1) / page * page;
    }

    void Before(const char* p)
    {
        if (!base_)
            return;
        const std::size_t offset = static_cast<std::size_t>(p - base_);
        if (offset < released_ + kChunk)
            return;
        const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        const std::size_t upto = offset / page * page;
        ::madvise(base_ + released_, upto - released_, MADV_DONTNEED);
        released_ = upto;
    }

private:
    static constexpr std::size_t kChunk = std::size_t{8} << 20;
    char* base_;
    std::size_t released_;
};

// ---- The two passes -------------------------------------------------------------------------

enum class Section { Network, Noise, After };

// Where a walk starts: a line start with the classification state at that point.
struct WalkState {
    const char* p = nullptr;
    long line = 0;
    Section section = Section::Network;
    float previous = -std::numeric_limits<float>::infinity();
    std::size_t k = 0;    // network points before this line
    std::size_t kn = 0;   // noise points before this line
};

// What the counting pass finds in the stretch it walks.
struct Outline {
    std::size_t networkPoints = 0;
    std::size_t noisePoints = 0;
    bool hasOptionLine = false;
    long optionLineNumber = 0;
    const char* optionBegin = nullptr;
    const char* optionEnd = nullptr;
    bool hasNoise = false;
    bool anyData = false;          // a data line was met
    float firstFrequency = 0.0f;   // the first data line's frequency, as read
    long faultLine = -1;           // the line whose frequency is not a number, or -1
    std::string_view faultText;    // and the section it was met in
    WalkState finish;              // the state past the last line
};

struct Parsing {
    double toMHz = 1.0;
    bool positiveNoiseAngles = false;
};

// Walks every line, classifying it the same way in both passes: the counting pass (Fill =
// false) sizes the data set and finds the option line; the filling pass parses the numbers.
// Network data last while the frequency rises; the first frequency that does not rise starts
// the noise block, which lasts while its own frequencies rise; anything after it is ignored.
//
// The counting pass reports a fault through the outline (line and section), so that a walk
// over the second half of a file can be numbered once the first half is counted.
template <bool Fill>
bool Walk(WalkState from, const char* const end, const FileText* file, Outline& outline, const Parsing& parsing,
          DataSet& set, std::string& message)
{
    const char* p = from.p;
    long line = from.line;
    Section section = from.section;
    float previous = from.previous;
    std::size_t k = from.k;
    std::size_t kn = from.kn;
    PageReleaser release(file, p);

    for (; p < end; ++line) {
        const char* eol = LineEnd(p, end);
        Tokens tokens(p, eol);
        std::string_view token;
        if (tokens.Next(token) && token[0] != '\'') {
            if (token[0] == '#') {
                if (!Fill && !outline.hasOptionLine) {
                    outline.hasOptionLine = true;
                    outline.optionLineNumber = line;
                    outline.optionBegin = p;
                    outline.optionEnd = eol;
                }
            } else if (section != Section::After) {
                double f = 0.0;
                float fs = 0.0f;
                if (!ParseNumber(token, f) || !ToSingle(f, fs)) {
                    if constexpr (Fill) {
                        message = LineMessage(line, section == Section::Noise ? kNoiseSection : kSDataSection);
                    } else {
                        outline.faultLine = line;
                        outline.faultText = section == Section::Noise ? kNoiseSection : kSDataSection;
                    }
                    return false;
                }
                if constexpr (!Fill) {
                    if (!outline.anyData) {
                        outline.anyData = true;
                        outline.firstFrequency = fs;
                    }
                }
                bool network = false;
                bool noise = false;
                if (section == Section::Network) {
                    if (fs > previous || k == 0) {
                        network = true;
                    } else {
                        section = Section::Noise;
                        noise = true;
                        if constexpr (!Fill)
                            outline.hasNoise = true;
                    }
                } else if (fs > previous) {
                    noise = true;
                } else {
                    section = Section::After;
                }
                previous = fs;

                if constexpr (Fill) {
                    if (network || noise) {
                        float mhz = 0.0f;
                        if (!ToSingle(f * parsing.toMHz, mhz)) {
                            message = LineMessage(line, network ? kSDataSection : kNoiseSection);
                            return false;
                        }
                        if (network) {
                            const int need = set.ports == 1 ? 2 : 8;
                            float v[8] = {};
                            for (int m = 0; m < need; ++m) {
                                if (!tokens.NextNumber(v[m])) {
                                    message = LineMessage(line, kSDataSection);
                                    return false;
                                }
                            }
                            set.freq[k] = mhz;
                            // A two-port line gives S11, S21, S12, S22 in that order.
                            static constexpr int kOrder[4] = {SIndex(1, 1), SIndex(2, 1), SIndex(1, 2), SIndex(2, 2)};
                            for (int m = 0; m < need / 2; ++m) {
                                set.first[kOrder[m]][k] = v[2 * m];
                                set.second[kOrder[m]][k] = v[2 * m + 1];
                            }
                        } else {
                            float v[4] = {};
                            for (float& x : v) {
                                if (!tokens.NextNumber(x)) {
                                    message = LineMessage(line, kNoiseSection);
                                    return false;
                                }
                            }
                            // Angles of files written as magnitude and angle are kept in 0..360.
                            if (parsing.positiveNoiseAngles && v[2] < 0.0f)
                                v[2] += 360.0f;
                            set.noiseFreq[kn] = mhz;
                            set.nfMinDb[kn] = v[0];
                            set.gammaOptMag[kn] = v[1];
                            set.gammaOptAng[kn] = v[2];
                            set.rn[kn] = v[3];
                        }
                    }
                }
                if (network)
                    ++k;
                if (noise)
                    ++kn;
            }
        }
        p = NextLine(eol, end);
        release.Before(p);
    }
    if constexpr (!Fill) {
        outline.networkPoints = k;
        outline.noisePoints = kn;
        outline.finish = WalkState{p, line, section, previous, k, kn};
    }
    return true;
}

// The line start at or after p.
const char* LineStartFrom(const char* p, const char* begin, const char* end)
{
    if (p == begin || p[-1] == '\n' || (p[-1] == '\r' && *p != '\n'))
        return p;
    return NextLine(LineEnd(p, end), end);
}

// The counting pass over the whole text, in two halves at once for a large file: the second
// half is counted as if it continued the network data, which it does unless the noise block
// starts right at the split or earlier; then it is counted again, after the first half, from
// the state the first half ends in. Returns the outline of the whole file, and in `middle`
// the state at the second half's start for the filling pass (no `middle.p` for one walk).
bool Count(const WalkState& start, const char* end, const FileText* file, bool twoHalves, Outline& outline,
           WalkState& middle, DataSet& set, std::string& message)
{
    const Parsing none;
    const char* const split = twoHalves ? LineStartFrom(start.p + (end - start.p) / 2, start.p, end) : end;
    if (split == end) {
        const bool ok = Walk<false>(start, end, file, outline, none, set, message);
        if (!ok)
            message = LineMessage(outline.faultLine, outline.faultText);
        return ok;
    }
    Outline second;
    WalkState guess;
    guess.p = split;
    bool secondOk = true;
    // Joined however this function is left.
    std::jthread helper([&] { secondOk = Walk<false>(guess, end, file, second, none, set, message); });
    const bool firstOk = Walk<false>(start, split, file, outline, none, set, message);
    helper.join();
    if (!firstOk) {
        message = LineMessage(outline.faultLine, outline.faultText);
        return false;
    }
    middle = outline.finish;
    const bool continues = middle.section == Section::Network &&
                           (!second.anyData || middle.k == 0 || second.firstFrequency > middle.previous);
    if (!continues) {
        Outline rest;
        const bool ok = Walk<false>(middle, end, file, rest, none, set, message);
        if (!ok) {
            message = LineMessage(rest.faultLine, rest.faultText);
            return false;
        }
        second = rest;
        second.networkPoints -= middle.k;
        second.noisePoints -= middle.kn;
        second.optionLineNumber -= middle.line;
    } else if (!secondOk) {
        message = LineMessage(middle.line + second.faultLine, second.faultText);
        return false;
    }
    outline.networkPoints = middle.k + second.networkPoints;
    outline.noisePoints = middle.kn + second.noisePoints;
    outline.hasNoise = outline.hasNoise || second.hasNoise;
    if (!outline.hasOptionLine && second.hasOptionLine) {
        outline.hasOptionLine = true;
        outline.optionLineNumber = middle.line + second.optionLineNumber;
        outline.optionBegin = second.optionBegin;
        outline.optionEnd = second.optionEnd;
    }
    return true;
}

// The option line's fields are taken by position: #, unit, type, format, R, impedance.
bool ParseOptionLine(const Outline& outline, DataSet& set, Parsing& parsing, std::string& message)
{
    Tokens tokens(outline.optionBegin, outline.optionEnd);
    std::string_view field[6];
    int count = 0;
    for (std::string_view t; count < 6 && tokens.Next(t);)
        field[count++] = t;
    const long line = outline.optionLineNumber;

    const std::string unit = count > 1 ? Upper(field[1]) : std::string();
    if (unit == "HZ")
        parsing.toMHz = 1e-6;
    else if (unit == "KHZ")
        parsing.toMHz = 0.001;
    else if (unit == "MHZ")
        parsing.toMHz = 1.0;
    else if (unit == "GHZ")
        parsing.toMHz = 1000.0;
    else {
        message = LineMessage(line, kBadUnit);
        return false;
    }
    set.frequencyUnit = unit;

    const std::string type = count > 2 ? Upper(field[2]) : std::string();
    if (type == "G" || type == "H" || type == "Y" || type == "Z") {
        message = LineMessage(line, OtherTypeMessage(type[0]));
        return false;
    }
    if (type == "RI" || type == "MA" || type == "DB") {
        message = LineMessage(line, kMissingType);
        return false;
    }
    if (type != "S") {
        message = LineMessage(line, kBadType);
        return false;
    }

    const std::string format = count > 3 ? Upper(field[3]) : std::string();
    if (format != "RI" && format != "MA" && format != "DB") {
        message = LineMessage(line, kBadFormat);
        return false;
    }
    set.numberFormat = format;
    parsing.positiveNoiseAngles = format != "RI";

    float z0 = 0.0f;
    if (count < 6 || !ParseSingle(field[5], z0)) {
        message = LineMessage(line, kBadImpedance);
        return false;
    }
    set.referenceImpedance = z0;
    return true;
}

// Every point counted by the first pass is written by the second, so the columns are sized
// without being cleared.
void Size(DataSet& set, const Outline& outline)
{
    const std::size_t n = outline.networkPoints;
    set.freq.resize(n);
    for (int e = 0; e < 4; ++e) {
        const std::size_t ne = (set.ports == 2 || e == SIndex(1, 1)) ? n : 0;
        set.first[e].resize(ne);
        set.second[e].resize(ne);
    }
    const std::size_t nn = outline.noisePoints;
    set.noiseFreq.resize(nn);
    set.nfMinDb.resize(nn);
    set.gammaOptMag.resize(nn);
    set.gammaOptAng.resize(nn);
    set.rn.resize(nn);
}

// The number of ports from the last two characters of the name ("s2p" ends in "2p").
bool PortsFromName(std::string_view name, int& ports, std::string& message)
{
    if (name.size() < 2 || !(name[name.size() - 2] >= '0' && name[name.size() - 2] <= '9')) {
        message = kBadExtension;
        return false;
    }
    const int digit = name[name.size() - 2] - '0';
    if (IsNumericText(name.substr(name.size() - 2)) || digit < 1 || digit > 2) {
        message = kTooManyPorts;
        return false;
    }
    ports = digit;
    return true;
}

std::string FolderOfPath(std::string_view fullPath, std::string_view fileName)
{
    if (fullPath.size() >= fileName.size() && fullPath.substr(fullPath.size() - fileName.size()) == fileName) {
        std::string_view folder = fullPath.substr(0, fullPath.size() - fileName.size());
        if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\'))
            folder.remove_suffix(1);
        return std::string(folder);
    }
    const auto slash = fullPath.find_last_of("/\\");
    return slash == std::string_view::npos ? std::string() : std::string(fullPath.substr(0, slash));
}

LoadResult Fail(DataSet& set, std::string_view specific)
{
    set = DataSet{};
    set.loadFailed = true;
    LoadResult r;
    r.ok = false;
    r.title = kSnpErrorTitle;
    r.text = std::string(kLoadError) + std::string(specific);
    r.icon = MsgIcon::Exclamation;
    return r;
}

// Files this large are parsed in two halves at once. The fuzz build names a variable here
// instead, set for each input, so that small inputs reach the two-halves parser too.
#ifdef KORVEL_TWO_HALVES_FROM
const std::size_t& kTwoHalvesFrom = ::KORVEL_TWO_HALVES_FROM;
#else
constexpr std::size_t kTwoHalvesFrom = std::size_t{4} << 20;
#endif

LoadResult Load(std::string_view fileName, std::string_view fullPath, std::string_view text,
                const FileText* file, DataSet& set)
{
    set = DataSet{};
    set.fileName = fileName;
    set.folder = FolderOfPath(fullPath, fileName);
    set.hasNoise = false;

    std::string message;
    int ports = 0;
    if (!PortsFromName(fileName, ports, message))
        return Fail(set, message);
    set.ports = ports;

    Outline outline;
    Parsing parsing;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    WalkState start;
    start.p = begin;
    WalkState middle;
    if (!Count(start, end, file, text.size() >= kTwoHalvesFrom, outline, middle, set, message))
        return Fail(set, message);
    if (!outline.hasOptionLine)
        return Fail(set, kNoHeader);
    set.hasNoise = outline.hasNoise;
    Size(set, outline);

    if (!ParseOptionLine(outline, set, parsing, message))
        return Fail(set, message);
    if (middle.p) {
        // The halves write disjoint points; the first half's fault, if any, is the one the
        // file shows first.
        std::string secondMessage;
        bool secondOk = true;
        std::jthread second([&] {
            secondOk = Walk<true>(middle, end, file, outline, parsing, set, secondMessage);
        });
        const bool firstOk = Walk<true>(start, middle.p, file, outline, parsing, set, message);
        second.join();
        if (!firstOk)
            return Fail(set, message);
        if (!secondOk)
            return Fail(set, secondMessage);
    } else if (!Walk<true>(start, end, file, outline, parsing, set, message)) {
        return Fail(set, message);
    }

    if (set.Points() == 0)
        return Fail(set, kSDataSection);
    if (set.hasNoise && set.NoisePoints() == 0)
        return Fail(set, kNoiseSection);

    set.parameterType.assign(1, 'S');
    set.loaded = true;
    set.loadFailed = false;
    return {};
}

std::string CannotRead(std::string_view fullPath) { return ": cannot read " + std::string(fullPath); }

// A load that ran out of memory (or could not start a thread) fails like a bad file: the
// slot is emptied first, which also hands back what the load had taken.
LoadResult OutOfResources(DataSet& set, std::string_view fullPath, const std::exception& e)
{
    set = DataSet{};
    if (dynamic_cast<const std::bad_alloc*>(&e) || dynamic_cast<const std::length_error*>(&e))
        return Fail(set, ": not enough memory to read " + std::string(fullPath));
    return Fail(set, CannotRead(fullPath));
}

bool IsUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        // The length from the lead byte, the smallest code point that length may carry.
        const int more = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 0;
        if (more == 0 || s.size() - i <= static_cast<std::size_t>(more))
            return false;
        static constexpr std::uint32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
        std::uint32_t code = c & (0x3Fu >> more);
        for (int k = 1; k <= more; ++k) {
            const auto d = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((d & 0xC0) != 0x80)
                return false;
            code = code << 6 | (d & 0x3Fu);
        }
        if (code < kLeast[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

} // namespace

std::string FileNameOfPath(std::string_view fullPath)
{
    const auto slash = fullPath.find_last_of('/');
    return std::string(slash == std::string_view::npos ? fullPath : fullPath.substr(slash + 1));
}

LoadResult LoadSnpText(std::string_view fileName, std::string_view fullPath, std::string_view text, DataSet& set)
{
    try {
        return Load(fileName, fullPath, text, nullptr, set);
    } catch (const std::exception& e) {
        return OutOfResources(set, fullPath, e);
    }
}

LoadResult GetSnpFile(std::string_view fileName, int slot, std::string_view fullPath, DataSetSlots& table)
{
    DataSet& set = table[slot];
    // The name decides the ports before anything is read, so a wrong name fails the same
    // whether or not the file exists.
    std::string message;
    int ports = 0;
    if (!PortsFromName(fileName, ports, message)) {
        set = DataSet{};
        return Fail(set, message);
    }
    try {
        FileText file;
        if (!file.Open(std::string(fullPath)))
            return Fail(set, CannotRead(fullPath));
        return Load(fileName, fullPath, file.Text(), &file, set);
    } catch (const std::exception& e) {
        return OutOfResources(set, fullPath, e);
    }
}

bool ReadSnpFile(std::string_view fullPath, std::string& bytes)
{
    FileText file;
    if (!file.Open(std::string(fullPath)))
        return false;
    bytes.assign(file.Text());
    return true;
}

std::string TextForDisplay(std::string_view bytes)
{
    if (IsUtf8(bytes))
        return std::string(bytes);
    // 0x80..0x9F hold typographic signs; the five codes Windows-1252 leaves free stay the
    // control characters of the same number, as browsers read them.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const unsigned u = b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b;
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

} // namespace korvel
