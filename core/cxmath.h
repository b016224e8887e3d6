// Real and complex math with the program's own constants and fault rules: a fault shows
// "Sys Error M<code>-<n>  <description>" (unless math errors are quiet), requests "ding.wav"
// and the function returns what it had computed, 0 elsewhere.
#pragma once

namespace korvel {

inline constexpr double kPi = 3.14159265358979;   // the program's pi, not the full double
inline constexpr double kE = 2.71828182845905;

struct Complex {
    double Re = 0.0;
    double Im = 0.0;
};

Complex CxFromReal(float a);
Complex CxToPolarDeg(Complex z);      // (magnitude, angle in degrees)
Complex CxFromPolarDeg(Complex p);    // p = (magnitude, angle in degrees)
Complex CxConj(Complex z);
Complex CxAdd(Complex a, Complex b);
Complex CxSub(Complex a, Complex b);
Complex CxMul(Complex a, Complex b);
Complex CxDiv(Complex a, Complex b);
double CxAbs(Complex z);
Complex CxInv(Complex z);
Complex CxSqrt(Complex z);
Complex CxExp(Complex z);
Complex CxLn(Complex z);
Complex CxSin(Complex z);
Complex CxCos(Complex z);
Complex CxTan(Complex z);
Complex CxCot(Complex z);
Complex CxAsin(Complex z);
Complex CxAcos(Complex z);
Complex CxAtan(Complex z);
Complex CxAcot(Complex z);
Complex CxSinh(Complex z);
Complex CxCosh(Complex z);
Complex CxTanh(Complex z);
Complex CxAtanh(Complex z);
Complex CxCoth(Complex z);

double Log10(double x);
double Pow10(double x);
double Atan2(double y, double x);
double RSinh(double x);
double RCosh(double x);
double RTanh(double x);
double RCoth(double x);
double SafeExp(double x);
double BesselI0(double x);
int RandomInt(int low, int high);
double RoundOut(double x, double step);
double StepFraction(double x, double step);
double FractionDigits(double x);
double LogAxisUpper(double x, double step);
double LogAxisLower(double x, double step);

// The reporter of the math module, for procedures of other modules that follow its rule
// ("Sys Error M" + code). Used as a FaultTrap reporter.
void ReportMathFault(const char* code, int number);

} // namespace korvel
