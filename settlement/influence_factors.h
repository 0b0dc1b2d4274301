// Elastic influence factors of a uniformly loaded flexible rectangle on a
// homogeneous isotropic half-space (Boussinesq): the vertical stress under
// a corner and the settlement of a corner over a finite depth.
#pragma once

namespace zolt::settlement {

// Newmark (1935) corner factor: the vertical stress under a corner of a
// B x L rectangle at depth z is q I(m, n), m = B/z, n = L/z (symmetric in
// m and n). Newmark's closed form with the angle written as
// atan2(2 m n sqrt(V), V - m^2 n^2), V = m^2 + n^2 + 1, which takes the
// branch in (0, pi) by itself: the textbook form with a plain arctangent
// must add pi when V < m^2 n^2. I(1, 1) = 0.1752, I(1, 2) = 0.1999, and
// I -> 1/4 as m, n -> infinity.
double newmarkCornerFactor(double m, double n);

// The stress increase under the centre of a B x L rectangle loaded with
// q, at depth z below the loaded face: four corners of B/2 x L/2,
// 4 q I(B / 2z, L / 2z); q itself at z <= 0. Units of q.
double stressUnderCentre(double q, double B, double L, double z);

// Steinbrenner's factors for the settlement of the corner of a flexible
// B' x L' rectangle over a layer of thickness H, in the form of Bowles,
// Foundation Analysis and Design, 5th ed., §5.6, eq. (5-16) and Table 5-2:
// M = L'/B', N = H/B' (B' the side that N is measured in),
//   I1 = (1/pi) [M ln(((1 + sqrt(M^2 + 1)) sqrt(M^2 + N^2)) /
//                     (M (1 + sqrt(M^2 + N^2 + 1))))
//              + ln(((M + sqrt(M^2 + 1)) sqrt(1 + N^2)) / (M + sqrt(M^2 + N^2 + 1)))]
//   I2 = (N / 2 pi) atan(M / (N sqrt(M^2 + N^2 + 1)))
// and the corner settlement q B' (1 - nu^2)/E (I1 + (1 - 2 nu)/(1 - nu) I2).
// For the centre of B x L Bowles takes the quarter B/2 x L/2, so
// M = L/B, N = H/(B/2), four corners. Check values: M = 1, N -> infinity
// gives I1 = 0.561; M = 1, N = 5 gives I1 = 0.437, I2 = 0.0306.
double steinbrennerI1(double M, double N);
double steinbrennerI2(double M, double N);

// The corner factor I1 + (1 - 2 nu)/(1 - nu) I2 of Bowles' eq. (5-16).
double steinbrennerFactor(double M, double N, double nu);

} // namespace zolt::settlement
