// The keys of the vocabulary's terms by what the shipped English file says for them, so that the
// code reads what it prints: Term(kTermOddsRatio) rather than Term("21"). The vocabulary file of
// each language holds the words; these names are only the English gloss of each key.
#pragma once

#include <initializer_list>
#include <string>

inline constexpr char kTermCases[] = "00";                          // cases
inline constexpr char kTermControls[] = "01";                       // controls
inline constexpr char kTermPerGroup[] = "02";                       // per group
inline constexpr char kTermInTotal[] = "03";                        // in total
inline constexpr char kTermOverallAgreement[] = "04";               // Overall agreement
inline constexpr char kTermCI[] = "05";                             // CI
inline constexpr char kTermConfidenceLevel[] = "06";                // Confidence level
inline constexpr char kTermCount[] = "08";                          // Count
inline constexpr char kTermCrudeStrataCombined[] = "09";            // Crude (strata combined)
inline constexpr char kTermDegreesOfFreedom[] = "10";               // Degrees of freedom
inline constexpr char kTermDifference[] = "11";                     // Difference
inline constexpr char kTermExposure[] = "13";                       // Exposure
inline constexpr char kTermIll[] = "14";                            // Ill
inline constexpr char kTermNotIll[] = "15";                         // Not ill
inline constexpr char kTermMatchedPairsAnalysis[] = "16";           // Matched-pairs analysis
inline constexpr char kTermMean[] = "17";                           // Mean
inline constexpr char kTermMeasuresOfAssociation[] = "18";          // Measures of association
inline constexpr char kTermRankOfTheMedian[] = "19";                // Rank of the median
inline constexpr char kTermNullHypothesisValue[] = "20";            // Null-hypothesis value
inline constexpr char kTermOddsRatio[] = "21";                      // Odds ratio
inline constexpr char kTermOneTailed[] = "22";                      // One-tailed
inline constexpr char kTermOR[] = "23";                             // OR
inline constexpr char kTermOddsRatioToDetect[] = "24";              // Odds ratio to detect
inline constexpr char kTermOutcome[] = "25";                        // Outcome
inline constexpr char kTermPValue[] = "26";                         // p-value
inline constexpr char kTermPersonTime[] = "27";                     // Person-time
inline constexpr char kTermPopulationAttributableFraction[] = "28"; // Population attributable fraction
inline constexpr char kTermPower[] = "29";                          // Power
inline constexpr char kTermPrecision[] = "30";                      // Precision
inline constexpr char kTermNegativePredictiveValue[] = "40";        // Negative predictive value
inline constexpr char kTermPositivePredictiveValue[] = "41";        // Positive predictive value
inline constexpr char kTermPrevalence[] = "42";                     // Prevalence
inline constexpr char kTermProportion[] = "43";                     // Proportion
inline constexpr char kTermPercentageOfControlsExposed[] = "44";    // Percentage of controls exposed
inline constexpr char kTermCellsExpectedBelow5[] = "45";            // Cells with expected count < 5
inline constexpr char kTermAttributableFractionExposed[] = "46";    // Attributable fraction (exposed)
inline constexpr char kTermTableOfCounts[] = "47";                  // Table of counts
inline constexpr char kTermRate[] = "48";                           // Rate
inline constexpr char kTermControlsPerCase[] = "49";                // Controls per case
inline constexpr char kTermReferenceMean[] = "50";                  // Reference mean
inline constexpr char kTermRiskDifference[] = "51";                 // Risk difference
inline constexpr char kTermRiskRatio[] = "52";                      // Risk ratio
inline constexpr char kTermRR[] = "53";                             // RR
inline constexpr char kTermSample[] = "54";                         // Sample
inline constexpr char kTermSampleSize[] = "55";                     // Sample size
inline constexpr char kTermScore[] = "56";                          // Score
inline constexpr char kTermScreeningTestMeasures[] = "57";          // Screening test measures
inline constexpr char kTermStandardDeviation[] = "58";              // Standard deviation
inline constexpr char kTermSensitivity[] = "59";                    // Sensitivity
inline constexpr char kTermSignificanceLevel[] = "60";              // Significance level
inline constexpr char kTermSpecificity[] = "61";                    // Specificity
inline constexpr char kTermStratum[] = "62";                        // Stratum
inline constexpr char kTermMantelHaenszelSummary[] = "63";          // Mantel-Haenszel summary
inline constexpr char kTermTestsOfAssociation[] = "64";             // Tests of association
inline constexpr char kTermTitle[] = "65";                          // Title
inline constexpr char kTermTwoTailed[] = "66";                      // Two-tailed
inline constexpr char kTermPersonTimeUnits[] = "69";                // person-time units
inline constexpr char kTermPreventiveFraction[] = "70";             // Preventive fraction
inline constexpr char kTermPooledRate[] = "71";                     // Pooled rate
inline constexpr char kTermChiSquare[] = "72";                      // Chi-square
inline constexpr char kTermStudentsT[] = "73";                      // Student's t
inline constexpr char kTermZStatistic[] = "74";                     // z statistic
inline constexpr char kTermSorted[] = "75";                         // Sorted
inline constexpr char kTermNumberRequired[] = "76";                 // Number required
inline constexpr char kTermNumberOfGroups[] = "77";                 // Number of groups
inline constexpr char kTermMinimum[] = "78";                        // Minimum
inline constexpr char kTermMaximum[] = "79";                        // Maximum
inline constexpr char kTermUnique[] = "80";                         // Unique
inline constexpr char kTermOK[] = "82";                             // OK
inline constexpr char kTermCancel[] = "83";                         // Cancel
inline constexpr char kTermAdd[] = "84";                            // Add
inline constexpr char kTermRemove[] = "85";                         // Remove
inline constexpr char kTermTotal[] = "86";                          // Total
inline constexpr char kTermChiSquareUncorrected[] = "87";           // Chi-square (uncorrected)
inline constexpr char kTermChiSquareForLinearTrend[] = "88";        // Chi-square for linear trend
inline constexpr char kTermFishersExactTest[] = "89";               // Fisher's exact test
inline constexpr char kTermOneSidedP[] = "90";                      // (one-sided p)
inline constexpr char kTermTwoSidedP[] = "91";                      // (two-sided p)
inline constexpr char kTermChiSquareWithYatesCorrection[] = "92";   // Chi-square with Yates' correction
inline constexpr char kTermMcNemarsChiSquare[] = "93";              // McNemar's chi-square
inline constexpr char kTermMatchedPairsOddsRatio[] = "94";          // Matched-pairs odds ratio
inline constexpr char kTermMantelHaenszelRiskRatio[] = "95";        // Mantel-Haenszel risk ratio
inline constexpr char kTermMantelHaenszelOddsRatio[] = "96";        // Mantel-Haenszel odds ratio
inline constexpr char kTermMantelHaenszelChiSquare[] = "97";        // Mantel-Haenszel chi-square
inline constexpr char kTermGroup[] = "98";                          // Group
inline constexpr char kTermObserved[] = "99";                       // Observed
inline constexpr char kTermExpected[] = "100";                      // Expected
inline constexpr char kTermStratumTitle[] = "101";                  // Stratum title
inline constexpr char kTermDifferenceInProportions[] = "102";       // Difference in proportions
inline constexpr char kTermNumberOfDigits[] = "103";                // Number of digits

// The newer calculation types.
// Proportion intervals, rate, standardised mortality ratio (120-149)
inline constexpr char kTermExactClopperPearson[] = "120"; // Exact (Clopper-Pearson)
inline constexpr char kTermMidPExact[] = "121";           // Mid-P exact
inline constexpr char kTermWilsonScore[] = "122";         // Wilson score
inline constexpr char kTermCorrectedScore[] = "123";      // Corrected score, Fleiss
inline constexpr char kTermAgrestiCoull[] = "124";        // Agresti-Coull
inline constexpr char kTermExactPoisson[] = "125";        // Exact Poisson
inline constexpr char kTermByar[] = "126";                // Byar's approximation
inline constexpr char kTermNormalApproximation[] = "127"; // Normal approximation
inline constexpr char kTermRatePer[] = "128";             // Rate per
inline constexpr char kTermSmr[] = "129";                 // SMR (observed/expected)
inline constexpr char kTermExactPoissonTest[] = "130";    // Exact Poisson test
inline constexpr char kTermMidPExactTest[] = "131";       // Mid-P exact test

// 2x2 table by study design (150-179)
inline constexpr char kTermStudyDesign[] = "150";             // Study design
inline constexpr char kTermCohort[] = "151";                  // Cohort
inline constexpr char kTermCaseControl[] = "152";             // Case-control
inline constexpr char kTermCrossSectional[] = "153";          // Cross-sectional
inline constexpr char kTermPrevalenceRatio[] = "154";         // Prevalence ratio
inline constexpr char kTermPrevalenceDifference[] = "155";    // Prevalence difference
inline constexpr char kTermConditionalMleExact[] = "156";     // Conditional MLE, exact
inline constexpr char kTermConditionalMleMidP[] = "157";      // Conditional MLE, mid-P
inline constexpr char kTermSampleWoolf[] = "158";             // Sample, Woolf (logit)
inline constexpr char kTermSampleCornfield[] = "159";         // Sample, Cornfield
inline constexpr char kTermWaldLog[] = "160";                 // Wald (log)
inline constexpr char kTermKoopmanScore[] = "161";            // Koopman score
inline constexpr char kTermNewcombeHybridScore[] = "162";     // Newcombe hybrid score
inline constexpr char kTermExposedWithOutcome[] = "164";      // Exposed, with the outcome
inline constexpr char kTermExposedWithoutOutcome[] = "165";   // Exposed, without the outcome
inline constexpr char kTermUnexposedWithOutcome[] = "166";    // Unexposed, with the outcome
inline constexpr char kTermUnexposedWithoutOutcome[] = "167"; // Unexposed, without the outcome

// Stratified tables with homogeneity (180-199)
inline constexpr char kTermStratHomogEntryHint[] = "180";       // a, b: exposed with and without the outcome; ...
inline constexpr char kTermCellA[] = "181";                     // a
inline constexpr char kTermCellB[] = "182";                     // b
inline constexpr char kTermCellC[] = "183";                     // c
inline constexpr char kTermCellD[] = "184";                     // d
inline constexpr char kTermCrude[] = "185";                     // Crude
inline constexpr char kTermCrudeOddsRatio[] = "186";            // Crude odds ratio
inline constexpr char kTermCrudeRiskRatio[] = "187";            // Crude risk ratio
inline constexpr char kTermStratLimitsNote[] = "188";           // MH limits: OR by Robins-Breslow-Greenland, ...
inline constexpr char kTermMhChiSquareUncorrected[] = "189";    // MH chi-square (uncorrected)
inline constexpr char kTermMhChiSquareCorrected[] = "190";      // MH chi-square, continuity-corrected
inline constexpr char kTermHomogeneityOfOddsRatios[] = "191";   // Homogeneity of the odds ratios
inline constexpr char kTermBreslowDayChiSquare[] = "192";       // Breslow-Day chi-square
inline constexpr char kTermBreslowDayTaroneChiSquare[] = "193"; // Breslow-Day-Tarone chi-square
inline constexpr char kTermWoolfChiSquare[] = "194";            // Woolf's chi-square
inline constexpr char kTermStrataLeftOut[] = "195";             // Strata left out (empty row/column)
inline constexpr char kTermStrataLeftOutOfWoolf[] = "196";      // Strata left out of Woolf's test

// Agreement, unequal variances, rate ratio (200-239)
inline constexpr char kTermKappa[] = "200";                   // Kappa
inline constexpr char kTermObservedAgreement[] = "201";       // Observed agreement
inline constexpr char kTermExpectedAgreement[] = "202";       // Expected agreement
inline constexpr char kTermStandardError[] = "203";           // Standard error
inline constexpr char kTermStandardErrorNull[] = "204";       // Standard error when kappa = 0
inline constexpr char kTermWeightedKappa[] = "205";           // Weighted kappa
inline constexpr char kTermUnweightedHeading[] = "206";       // Cohen's kappa (unweighted)
inline constexpr char kTermLinearWeights[] = "207";           // Linear weights
inline constexpr char kTermQuadraticWeights[] = "208";        // Quadratic weights
inline constexpr char kTermPabak[] = "209";                   // PABAK
inline constexpr char kTermCategories[] = "210";              // Categories
inline constexpr char kTermRatersNote[] = "211";              // Rows: first rater; columns: second
inline constexpr char kTermWelchT[] = "212";                  // Welch's t
inline constexpr char kTermSatterthwaiteDf[] = "213";         // Degrees of freedom (Satterthwaite)
inline constexpr char kTermDifferenceOneTwo[] = "214";        // Difference (1 - 2)
inline constexpr char kTermStandardErrorDifference[] = "215"; // Standard error of the difference
inline constexpr char kTermRatesPer[] = "216";                // Rates per
inline constexpr char kTermRateRatioHeading[] = "217";        // Rate ratio (1 / 2)
inline constexpr char kTermRateRatioExact[] = "218";          // Rate ratio, exact
inline constexpr char kTermRateRatioMidP[] = "219";           // Rate ratio, mid-P exact
inline constexpr char kTermRateRatioWald[] = "220";           // Rate ratio, Wald (log)
inline constexpr char kTermRateDifferenceOneTwo[] = "221";    // Rate difference (1 - 2)
inline constexpr char kTermExactTestP[] = "222";              // Exact p-value (two-sided)
inline constexpr char kTermMidPTestP[] = "223";               // Mid-P p-value (two-sided)

// Sample size, power, distributions (240-279)
inline constexpr char kTermRatioGroup2ToGroup1[] = "240";   // Ratio of group 2 to group 1
inline constexpr char kTermGroup1[] = "241";                // Group 1
inline constexpr char kTermGroup2[] = "242";                // Group 2
inline constexpr char kTermSizeByKelsey[] = "243";          // Sample size by Kelsey's formula
inline constexpr char kTermSizeByFleiss[] = "244";          // Sample size by Fleiss' formula
inline constexpr char kTermSizeByFleissCorrected[] = "245"; // Sample size by Fleiss' formula with continuity correction
inline constexpr char kTermPowerNormal[] = "246";           // Power (normal approximation)
inline constexpr char kTermPowerCorrected[] = "247";        // Power with continuity correction
inline constexpr char kTermTargetPower[] = "248";           // Target power
inline constexpr char kTermDetectableProportionHigher[] = "249"; // Detectable proportion 2 (higher)
inline constexpr char kTermDetectableProportionLower[] = "250";  // Detectable proportion 2 (lower)
inline constexpr char kTermPowerNoncentralT[] = "251";           // Power (noncentral t)
inline constexpr char kTermDetectableDifferenceT[] = "252";      // Detectable difference (t)
inline constexpr char kTermDetectableDifferenceNormal[] = "253"; // Detectable difference (normal)
inline constexpr char kTermNumberOfTrials[] = "254";             // Number of trials
inline constexpr char kTermProbabilityOfSuccess[] = "255";       // Probability of success
inline constexpr char kTermNumberOfSuccesses[] = "256";          // Number of successes
inline constexpr char kTermNumberOfEvents[] = "257";             // Number of events
inline constexpr char kTermPEqual[] = "258";                     // P(X = x)
inline constexpr char kTermPAtMost[] = "259";                    // P(X <= x)
inline constexpr char kTermPAtLeast[] = "260";                   // P(X >= x)
inline constexpr char kTermProportionExact[] = "261";            // Proportion x/n (exact)
inline constexpr char kTermMeanGivenXExact[] = "262";            // Mean given x (exact)

/// Vocabulary keys joined by blanks, as a result's label holds them: TermKeys({kTermA, kTermB}).
inline std::string TermKeys(std::initializer_list<const char*> keys)
{
    std::string joined;
    for (const char* key : keys)
        joined += (joined.empty() ? "" : " ") + std::string(key);
    return joined;
}
