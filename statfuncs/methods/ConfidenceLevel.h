// Confidence levels as the newer methods take them: any level from 50 to 99.99 %.
#pragma once

/// The least and the greatest level taken, in percent.
inline constexpr double kMinLevelPercent = 50;
inline constexpr double kMaxLevelPercent = 99.99;

/// The two-sided tail probability of a level: 0.05 for 95 %.
inline double AlphaOfLevel(double levelPercent)
{
    return 1 - levelPercent / 100;
}

/// The standard normal quantile of a two-sided level: 1.959964 for 95 %.
double NormalQuantileOfLevel(double levelPercent);

/// The standard normal quantile of probability p (lower tail): -1.644854 for 0.05.
double NormalQuantile(double p);

/// The standard normal distribution's upper tail at z.
double NormalUpperTail(double z);
