// Every unit code against the published conversion factors.
//
// Sources: NIST Special Publication 811 (2008), appendix B.8 "Factors for
// units listed alphabetically". `exact` is the factor as the publication
// defines it (a factor printed in bold, or the exact value its footnotes
// give: the pound is 0.453 592 37 kg, the foot 0.3048 m, the inch 0.0254 m,
// the US gallon 231 in3, the International Table Btu 1055.055 852 62 J, the
// International Table calorie 4.1868 J, standard gravity 9.806 65 m/s2);
// codes that are decimal multiples of a listed unit carry the same factor
// times the multiple. `printed` is the rounded factor of the table, 0 where
// the table has no line of that unit.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/unitkit.h"

namespace {

struct Factor {
    const char* code;
    const char* si_units;  // the coherent SI unit, as a unit text
    double exact;          // SI per unit
    double printed;        // SP 811 B.8, rounded as printed
    double printed_digits; // significant digits of `printed`
};

constexpr Factor published_factors[] = {
    // mass: pound (avoirdupois) 4.535 924 E-01 kg; ton, metric 1.0 E+03 kg
    {"LB", "KG", 0.45359237, 4.535924e-01, 7},
    {"KLB", "KG", 453.59237, 4.535924e+02, 7},
    {"MLB", "KG", 453.59237, 4.535924e+02, 7},
    {"MMLB", "KG", 453592.37, 4.535924e+05, 7},
    {"KG", "KG", 1.0, 1.0, 16},
    {"T", "KG", 1000.0, 1.0e+03, 16},
    {"G", "KG", 0.001, 1.0e-03, 16},
    // volume: cubic foot 2.831 685 E-02 m3; gallon [U.S.] 3.785 412 E-03 m3;
    // liter 1.0 E-03 m3; barrel [for petroleum, 42 gallons (U.S.)] 1.589 873 E-01 m3
    {"CF", "M3", 0.028316846592, 2.831685e-02, 7},
    {"FT3", "M3", 0.028316846592, 2.831685e-02, 7},
    {"KCF", "M3", 28.316846592, 2.831685e+01, 7},
    {"MCF", "M3", 28.316846592, 2.831685e+01, 7},
    {"MMCF", "M3", 28316.846592, 2.831685e+04, 7},
    {"M3", "M3", 1.0, 1.0, 16},
    {"L", "M3", 0.001, 1.0e-03, 16},
    {"GAL", "M3", 0.003785411784, 3.785412e-03, 7},
    {"KGAL", "M3", 3.785411784, 3.785412e+00, 7},
    {"MGAL", "M3", 3.785411784, 3.785412e+00, 7},
    {"MMGAL", "M3", 3785.411784, 3.785412e+03, 7},
    {"BBL", "M3", 0.158987294928, 1.589873e-01, 7},
    // energy: British thermal unit_IT 1.055 056 E+03 J; kilocalorie_IT
    // 4.1868 E+03 J; kilowatt hour 3.6 E+06 J; therm (EC) 1.055 06 E+08 J
    {"BTU", "J", 1055.05585262, 1.055056e+03, 7},
    {"KBTU", "J", 1055055.85262, 1.055056e+06, 7},
    {"MBTU", "J", 1055055.85262, 1.055056e+06, 7},
    {"MMBTU", "J", 1055055852.62, 1.055056e+09, 7},
    {"J", "J", 1.0, 1.0, 16},
    {"KJ", "J", 1.0e3, 1.0e3, 16},
    {"MJ", "J", 1.0e6, 1.0e6, 16},
    {"GJ", "J", 1.0e9, 1.0e9, 16},
    {"KCAL", "J", 4186.8, 4.1868e+03, 16},
    {"MMKCAL", "J", 4.1868e9, 4.1868e+09, 16},
    {"KWH", "J", 3.6e6, 3.6e+06, 16},
    {"MWH", "J", 3.6e9, 3.6e+09, 16},
    {"THERM", "J", 105505585.262, 1.05506e+08, 6},
    // time: minute 6.0 E+01 s; hour 3.6 E+03 s; day 8.64 E+04 s;
    // year (365 days) 3.1536 E+07 s
    {"S", "S", 1.0, 1.0, 16},
    {"SEC", "S", 1.0, 1.0, 16},
    {"MIN", "S", 60.0, 6.0e+01, 16},
    {"H", "S", 3600.0, 3.6e+03, 16},
    {"HR", "S", 3600.0, 3.6e+03, 16},
    {"D", "S", 86400.0, 8.64e+04, 16},
    {"DAY", "S", 86400.0, 8.64e+04, 16},
    {"Y", "S", 31536000.0, 3.1536e+07, 16},
    {"YR", "S", 31536000.0, 3.1536e+07, 16},
    // power: horsepower (550 ft lbf/s) 7.456 999 E+02 W
    {"W", "W", 1.0, 1.0, 16},
    {"KW", "W", 1.0e3, 1.0e3, 16},
    {"MW", "W", 1.0e6, 1.0e6, 16},
    {"MEGAW", "W", 1.0e6, 1.0e6, 16},
    {"GW", "W", 1.0e9, 1.0e9, 16},
    {"HP", "W", 745.69987158227022, 7.456999e+02, 7},
    // volume flow: cubic foot per minute 4.719 474 E-04 m3/s; gallon [U.S.]
    // per minute 6.309 020 E-05 m3/s; the hourly flows have no line
    {"CFH", "M3/S", 7.86579072e-6, 0.0, 0},
    {"KCFH", "M3/S", 7.86579072e-3, 0.0, 0},
    {"MCFH", "M3/S", 7.86579072e-3, 0.0, 0},
    {"CFM", "M3/S", 4.719474432e-4, 4.719474e-04, 7},
    {"GPM", "M3/S", 6.30901964e-5, 6.309020e-05, 7},
    {"GPH", "M3/S", 1.0515032733333333e-6, 0.0, 0},
    // density: pound per cubic foot 1.601 846 E+01 kg/m3
    {"PCF", "KG/M3", 16.018463373960140, 1.601846e+01, 7},
    // pressure (in kPa, the table having no pascal code): pound-force per
    // square inch 6.894 757 E+03 Pa; bar 1.0 E+05 Pa; atmosphere, standard
    // 1.013 25 E+05 Pa
    {"PSIA", "KPA", 6.894757293168361, 6.894757, 7},
    {"KPA", "KPA", 1.0, 1.0, 16},
    {"MPA", "KPA", 1.0e3, 1.0e3, 16},
    {"BAR", "KPA", 100.0, 1.0e2, 16},
    {"BARA", "KPA", 100.0, 1.0e2, 16},
    {"ATM", "KPA", 101.325, 1.01325e2, 16},
    // temperature scales without a shift: degree Rankine T/K = (T/DEG R)/1.8
    {"K", "K", 1.0, 1.0, 16},
    {"DEG R", "K", 1.0 / 1.8, 1.0 / 1.8, 16},
    // rates made of two codes: pound per hour 1.259 979 E-04 kg/s; British
    // thermal unit_IT per hour 2.930 711 E-01 W; British thermal unit_IT per
    // pound 2.326 E+03 J/kg
    {"LB/H", "KG/S", 1.2599788055555556e-4, 1.259979e-04, 7},
    {"BTU/H", "W", 0.29307107017222222, 2.930711e-01, 7},
    {"BTU/LB", "J/KG", 2326.0, 2.326e+03, 16},
};

double relative_error(double value, double reference)
{
    return std::fabs(value - reference) / std::fabs(reference);
}

TEST(PublishedFactors, EveryCodeMatchesItsDefinitionAndThePrintedFactor)
{
    for (const Factor& f : published_factors) {
        SCOPED_TRACE(f.code);
        const double one = 1.0;
        double si = -1.0;
        ASSERT_EQ(units_adjust(f.code, f.si_units, &one, &si, nullptr, "", "b"), 1);
        EXPECT_LE(relative_error(si, f.exact), 1e-12) << si << " against " << f.exact;
        if (f.printed != 0.0) {
            // Half a unit of the last printed digit.
            EXPECT_LE(relative_error(si, f.printed), 5.0 * std::pow(10.0, -f.printed_digits)) << si;
        }

        // And back: one SI unit is 1/factor of the code.
        double back = -1.0;
        ASSERT_EQ(units_adjust(f.si_units, f.code, &one, &back, nullptr, "", "b"), 1);
        EXPECT_LE(relative_error(back, 1.0 / f.exact), 1e-12);
    }
}

TEST(PublishedFactors, ConversionsBetweenTwoCodesAreTheRatioOfTheirFactors)
{
    for (const Factor& a : published_factors) {
        for (const Factor& b : published_factors) {
            if (std::string(a.si_units) != b.si_units) continue;
            SCOPED_TRACE(std::string(a.code) + " to " + b.code);
            const double in = 123.456;
            double out = 0.0;
            ASSERT_EQ(units_adjust(a.code, b.code, &in, &out, nullptr, "", "b"), 1);
            EXPECT_LE(relative_error(out, in * a.exact / b.exact), 1e-12);

            // A round trip gives the value back.
            double again = 0.0;
            ASSERT_EQ(units_adjust(b.code, a.code, &out, &again, nullptr, "", "b"), 1);
            EXPECT_LE(relative_error(again, in), 1e-14);
        }
    }
}

// The shifted scales (SP 811 B.8: T/K = t/DEG C + 273.15,
// T/K = (t/DEG F + 459.67)/1.8) and the gauge pressures, whose zero is the
// atmosphere of the gauge: 14.696 psi and 1.013 25 bar.
TEST(PublishedFactors, ShiftedScalesAreAffine)
{
    struct Point {
        const char* from;
        double in;
        const char* to;
        double out;
    };
    const Point points[] = {
        {"DEG F", 212.0, "K", 373.15},
        {"DEG C", 100.0, "K", 373.15},
        {"DEG R", 671.67, "K", 373.15},
        {"DEG F", 32.0, "DEG C", 0.0},
        {"DEG F", -40.0, "DEG C", -40.0},
        {"DEG C", 37.0, "DEG F", 98.6},
        {"K", 0.0, "DEG F", -459.67},
        {"DEG F", 60.0, "DEG R", 519.67},
        {"PSIG", 0.0, "PSIA", 14.696},
        {"PSIG", 60.0, "PSIA", 74.696},
        {"PSIA", 14.696, "PSIG", 0.0},
        {"BARG", 0.0, "KPA", 101.325},
        {"BARG", 5.0, "BARA", 6.01325},
        {"BARG", 0.0, "ATM", 1.0},
        {"PSIG", 0.0, "KPA", 101.325353},
    };
    for (const Point& p : points) {
        SCOPED_TRACE(std::string(p.from) + " to " + p.to);
        double out = -1.0;
        ASSERT_EQ(units_adjust(p.from, p.to, &p.in, &out, nullptr, "", "b"), 1);
        if (std::string(p.to) == "KPA" && std::string(p.from) == "PSIG") {
            // 14.696 psi = 101.325 353 kPa to the digits given
            EXPECT_NEAR(out, p.out, 5e-7);
        } else {
            EXPECT_NEAR(out, p.out, 1e-12 * std::fmax(1.0, std::fabs(p.out)));
        }
    }
}

TEST(PublishedFactors, AUnitConvertedIntoItselfIsUnchanged)
{
    for (const char* code : {"DEG F", "DEG C", "PSIG", "BARG", "KLB/H", "MMBTU/H", "PCF"}) {
        SCOPED_TRACE(code);
        const double in = 85.3;
        double out = 0.0;
        ASSERT_EQ(units_adjust(code, code, &in, &out, nullptr, "", "b"), 1);
        EXPECT_EQ(out, in);
    }
}

}  // namespace
