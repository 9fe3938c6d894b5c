// The base of the newer calculation types: any confidence level from 50 to 99.99 %, p-values
// below 0.000001 printed as "< 0.000001", undefined values as "****", and the dialog frame with
// the level's edit.
#pragma once

#include "CCalcBase.h"
#include "CCalcDlg.h"
#include "FieldTable.h"

#include <string>

class CArchive;

// Control ids of the level row that every dialog of the newer types has.
enum : int
{
    kIdAnyLevel = 1040,      // the level's edit, in percent
    kIdAnyLevelLabel = 1041, // its label: term 06 + " (%):"
};

class CMethodCalc : public CCalcBase
{
    DECLARE_DYNAMIC(CMethodCalc)
public:
    /// A level as reports and results show it: "95%", "97.5%", "99.99%".
    static std::string LevelText(double levelPercent);
    /// A computed value as the newer reports print it: `decimals` decimals in a column of
    /// decimals + 8 characters, but at most eight significant digits (fewer decimals for a large
    /// value, exponent form beyond 99,999,999), and "****" when undefined.
    static std::string ValueText(double x, int decimals);
    /// A p-value as the newer reports print it: six decimals in the value column, "< 0.000001"
    /// below 0.000001, "****" when undefined.
    static std::string PValueText(double p);

protected:
    /// A result line: the value and its interval as ValueText prints them, a probability as
    /// PValueText does.
    void InsertMethodResult(const CResult& result, const std::string& labelSuffix = "");
    /// The result `key` of `results`; a key the list lacks is a programming error.
    void InsertMethodResult(const CResults& results, const std::string& key, const std::string& labelSuffix = "");
    /// A blank line, then `heading` in bold on a line of its own.
    void InsertSection(const std::string& heading);
    /// Reads a stored level and refuses one that is not a number (the dialog and the results
    /// check its range).
    static double ReadLevelPercent(CArchive& ar);
};

/// The confidence level field of the newer types: a number from 50 to 99.99, 95 by default.
CField AnyLevelField(int id = kIdAnyLevel);

/// The dialog frame of the newer types: everything CCalcDlg does, and the level row's label.
class CMethodDlg : public CCalcDlg
{
public:
    using CCalcDlg::CCalcDlg;

protected:
    bool OnInitDialog() override;
    /// Exchanges the level's edit with `levelPercent` and checks it (50 to 99.99).
    void ExchangeLevel(CDataExchange& dx, double& levelPercent);
};

/// Appends the level row (label and edit, right-aligned) at `row` of a dialog's controls.
void AppendLevelRow(std::vector<CControlTemplate>& controls, int row);
