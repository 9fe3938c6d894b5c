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

// Stratified tables with homogeneity (180-199)

// Agreement, unequal variances, rate ratio (200-239)

// Sample size, power, distributions (240-279)

/// Vocabulary keys joined by blanks, as a result's label holds them: TermKeys({kTermA, kTermB}).
inline std::string TermKeys(std::initializer_list<const char*> keys)
{
    std::string joined;
    for (const char* key : keys)
        joined += (joined.empty() ? "" : " ") + std::string(key);
    return joined;
}
