// The error policy of every Boost.Math call of the newer methods: a value outside a function's
// domain, a pole or an overflow gives NaN or infinity instead of throwing, so a calculation
// prints "****" for it; the caller decides what is undefined. Doubles are promoted to long double
// inside (Boost's default): the inverse incomplete beta at n = 10^9 keeps 1e-10 relative only so.
#pragma once

#include <boost/math/policies/policy.hpp>

using QuietPolicy =
    boost::math::policies::policy<boost::math::policies::domain_error<boost::math::policies::ignore_error>,
                                  boost::math::policies::pole_error<boost::math::policies::ignore_error>,
                                  boost::math::policies::overflow_error<boost::math::policies::ignore_error>,
                                  boost::math::policies::underflow_error<boost::math::policies::ignore_error>,
                                  boost::math::policies::evaluation_error<boost::math::policies::ignore_error>,
                                  boost::math::policies::rounding_error<boost::math::policies::ignore_error>>;
