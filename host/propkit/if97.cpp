// IAPWS-IF97 region 1 (its basic equation, the dimensionless Gibbs free
// energy gamma(pi, tau)) and region 4 (the saturation-pressure equation and
// its inverse, the saturation-temperature equation).
#include <cmath>

#include "propkit/if97.h"

namespace qxhost::if97 {
namespace {

constexpr double gas_constant = 0.461526;  // specific gas constant of the release [kJ/(kg K)]

// Region 1: reducing pressure [MPa] and temperature [K].
constexpr double region1_p_star = 16.53;
constexpr double region1_t_star = 1386.0;

struct Term {
    int i;
    int j;
    double n;
};

// Region 1 coefficients and exponents.
constexpr Term region1_terms[34] = {
    {0, -2, 0.14632971213167},     {0, -1, -0.84548187169114},    {0, 0, -0.37563603672040e1},
    {0, 1, 0.33855169168385e1},    {0, 2, -0.95791963387872},     {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},  {0, 5, 0.81214629983568e-3},   {1, -9, 0.28319080123804e-3},
    {1, -7, -0.60706301565874e-3}, {1, -1, -0.18990068218419e-1}, {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},  {1, 3, -0.52838357969930e-4},  {2, -3, -0.47184321073267e-3},
    {2, 0, -0.30001780793026e-3},  {2, 1, 0.47661393906987e-4},   {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15}, {3, -4, -0.31679644845054e-4}, {3, 0, -0.28270797985312e-5},
    {3, 6, -0.85205128120103e-9},  {4, -5, -0.22425281908000e-5}, {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12}, {5, -8, -0.40516996860117e-6}, {8, -11, -0.12734301741641e-8},
    {8, -6, -0.17424871230634e-9}, {21, -29, -0.68762131295531e-18}, {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22}, {30, -39, -0.11947622640071e-22}, {31, -40, 0.18228094581404e-23},
    {32, -41, -0.93537087292458e-25},
};

// Region 4 coefficients n1 ... n10.
constexpr double n[11] = {0.0,
                          0.11670521452767e4,
                          -0.72421316703206e6,
                          -0.17073846940092e2,
                          0.12020824702470e5,
                          -0.32325550322333e7,
                          0.14915108613530e2,
                          -0.48232657361591e4,
                          0.40511340542057e6,
                          -0.23855557567849,
                          0.65017534844798e3};

// The derivatives of gamma that the wanted properties need.
struct GammaDerivatives {
    double pi = 0.0;       // d gamma / d pi
    double pi_pi = 0.0;    // d2 gamma / d pi2
    double tau = 0.0;      // d gamma / d tau
    double tau_tau = 0.0;  // d2 gamma / d tau2
    double pi_tau = 0.0;   // d2 gamma / d pi d tau
};

GammaDerivatives region1_derivatives(double pi, double tau)
{
    const double a = 7.1 - pi;
    const double b = tau - 1.222;
    GammaDerivatives g;
    for (const Term& t : region1_terms) {
        // Powers with the exponent lowered by one or two are taken directly,
        // so that a zero factor (i = 0 or j = 0) meets no 0^-1.
        const double a_i = std::pow(a, t.i);
        const double b_j = std::pow(b, t.j);
        const double a_i1 = t.i >= 1 ? std::pow(a, t.i - 1) : 0.0;
        const double a_i2 = t.i >= 2 ? std::pow(a, t.i - 2) : 0.0;
        const double b_j1 = std::pow(b, t.j - 1);
        const double b_j2 = std::pow(b, t.j - 2);
        g.pi += -t.n * t.i * a_i1 * b_j;
        g.pi_pi += t.n * t.i * (t.i - 1) * a_i2 * b_j;
        g.tau += t.n * a_i * t.j * b_j1;
        g.tau_tau += t.n * a_i * t.j * (t.j - 1) * b_j2;
        g.pi_tau += -t.n * t.i * a_i1 * t.j * b_j1;
    }
    return g;
}

}  // namespace

Region1State region1(double temperature, double pressure)
{
    const double pi = pressure / region1_p_star;
    const double tau = region1_t_star / temperature;
    const GammaDerivatives g = region1_derivatives(pi, tau);
    const double rt = gas_constant * temperature;  // [kJ/kg]

    Region1State state;
    // v = R T / p * pi * gamma_pi, with R T [kJ/kg] over p [MPa] giving 1e-3 m3/kg.
    state.specific_volume = rt / pressure * pi * g.pi * 1e-3;
    state.enthalpy = rt * tau * g.tau;
    const double cross = g.pi - tau * g.pi_tau;
    const double w2 = rt * 1e3 * g.pi * g.pi / (cross * cross / (tau * tau * g.tau_tau) - g.pi_pi);  // [m2/s2]
    state.speed_of_sound = std::sqrt(w2);
    return state;
}

double saturation_pressure(double temperature)
{
    const double theta = temperature + n[9] / (temperature - n[10]);
    const double a = theta * theta + n[1] * theta + n[2];
    const double b = n[3] * theta * theta + n[4] * theta + n[5];
    const double c = n[6] * theta * theta + n[7] * theta + n[8];
    const double root = 2.0 * c / (-b + std::sqrt(b * b - 4.0 * a * c));
    return root * root * root * root;  // reducing pressure 1 MPa
}

double saturation_temperature(double pressure)
{
    const double beta = std::pow(pressure, 0.25);  // reducing pressure 1 MPa
    const double e = beta * beta + n[3] * beta + n[6];
    const double f = n[1] * beta * beta + n[4] * beta + n[7];
    const double g = n[2] * beta * beta + n[5] * beta + n[8];
    const double d = 2.0 * g / (-f - std::sqrt(f * f - 4.0 * e * g));
    return (n[10] + d - std::sqrt((n[10] + d) * (n[10] + d) - 4.0 * (n[9] + n[10] * d))) / 2.0;  // [K]
}

}  // namespace qxhost::if97
