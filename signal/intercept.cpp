#include "intercept.h"

#include <algorithm>

namespace korvel {
namespace {

double ToOutput(double level, bool atInput, double g) { return atInput ? level + g : level; }
double Referred(double outputLevel, bool resultAtInput, double g) { return resultAtInput ? outputLevel - g : outputLevel; }

} // namespace

double IMlarge(bool resultAtInput, double p1, double p2, bool tonesAtInput, double ip3, bool ip3AtInput, double g)
{
    p1 = ToOutput(p1, tonesAtInput, g);
    p2 = ToOutput(p2, tonesAtInput, g);
    ip3 = ToOutput(ip3, ip3AtInput, g);
    if (p1 != p2)
        return 0.0;
    return Referred(3.0 * p1 - 2.0 * ip3, resultAtInput, g);
}

double SigLarge(bool resultAtInput, double ip3, bool ip3AtInput, double im1, double im2, bool imsAtInput, double g)
{
    ip3 = ToOutput(ip3, ip3AtInput, g);
    im1 = ToOutput(im1, imsAtInput, g);
    im2 = ToOutput(im2, imsAtInput, g);
    (void)im2; // the two products of equal tones are equal; the first one stands for both
    return Referred((2.0 * ip3 + im1) / 3.0, resultAtInput, g);
}

double IP3(bool resultAtInput, double p1, double p2, bool tonesAtInput, double im1, double im2, bool imsAtInput,
           double g)
{
    p1 = ToOutput(p1, tonesAtInput, g);
    p2 = ToOutput(p2, tonesAtInput, g);
    im1 = ToOutput(im1, imsAtInput, g);
    im2 = ToOutput(im2, imsAtInput, g);

    double ps = p1;
    if (p1 != p2) {
        const double pmax = std::max(p1, p2);
        const double pmin = std::min(p1, p2);
        ps = pmax - (pmax - pmin) / 3.0;
    }
    double ime = im1;
    if (im1 != im2) {
        const double pa = im1 > im2 ? p1 : p2;
        const double imb = p1 > p2 ? im1 : (p1 < p2 ? im2 : std::max(im1, im2));
        ime = ps - pa + imb;
    }
    return Referred((3.0 * ps - ime) / 2.0, resultAtInput, g);
}

IP3Result CalcIntermods(const IP3Inputs& in)
{
    IP3Result r;
    const double g = in.gainDb;
    // Each known quantity is kept as given, and its other side follows by the gain.
    auto both = [g](double level, bool atInput, double& atIn, double& atOut) {
        atIn = atInput ? level : level - g;
        atOut = atInput ? level + g : level;
    };

    switch (in.unknown) {
    case IP3Unknown::ProductLevel:
        both(in.ip3Dbm, in.ip3AtInput, r.ip3In, r.ip3Out);
        both(in.toneDbm, in.toneAtInput, r.toneIn, r.toneOut);
        r.imOut = IMlarge(false, in.toneDbm, in.toneDbm, in.toneAtInput, in.ip3Dbm, in.ip3AtInput, g);
        r.imIn = r.imOut - g;
        break;
    case IP3Unknown::ToneLevel:
        both(in.ip3Dbm, in.ip3AtInput, r.ip3In, r.ip3Out);
        both(in.imDbm, in.imAtInput, r.imIn, r.imOut);
        r.toneOut = SigLarge(false, in.ip3Dbm, in.ip3AtInput, in.imDbm, in.imDbm, in.imAtInput, g);
        r.toneIn = r.toneOut - g;
        break;
    case IP3Unknown::InterceptPoint:
        both(in.toneDbm, in.toneAtInput, r.toneIn, r.toneOut);
        both(in.imDbm, in.imAtInput, r.imIn, r.imOut);
        r.ip3Out = IP3(false, in.toneDbm, in.toneDbm, in.toneAtInput, in.imDbm, in.imDbm, in.imAtInput, g);
        r.ip3In = r.ip3Out - g;
        break;
    }

    r.graphIp3 = in.graphAtInput ? r.ip3In : r.ip3Out;
    r.graphTone = in.graphAtInput ? r.toneIn : r.toneOut;
    r.graphImDbm = in.graphAtInput ? r.imIn : r.imOut;
    r.graphImDbc = r.graphTone - r.graphImDbm;

    // The straight-line model holds only well below compression: a tone at or past the
    // intercept, or products as strong as the tones, are arithmetic, not a device.
    if (r.graphTone > r.graphIp3)
        r.warnings.emplace_back(kToneAboveInterceptText);
    if (!(r.graphImDbm < r.graphTone))
        r.warnings.emplace_back(kProductAboveToneText);
    return r;
}

} // namespace korvel
