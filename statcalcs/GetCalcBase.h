// The factory of the statistical library: a new calculation object for a type code, and the
// table of calculation classes (code, class name, dialog template, resource title) behind it.
#pragma once

#include <string>
#include <vector>

class CCalcBase;
struct CRuntimeClass;

/// One calculation type.
struct CCalcClassInfo
{
    const char* code;          // the four-character type string, e.g. "1110"
    const char* className;     // run-time class name, written into documents
    int templateId;            // template of the input dialog
    const char* resourceTitle; // caption the template carries
    const CRuntimeClass* runtimeClass;
};

/// The 37 calculation types in catalogue order (the note is not among them).
const std::vector<CCalcClassInfo>& CalcClassTable();

/// The newer calculation types (methods/), in type-code order.
const std::vector<CCalcClassInfo>& MethodClassTable();

/// Both tables: the catalogue's types, then the newer ones.
const std::vector<CCalcClassInfo>& AllCalcClasses();

/// The table entry of a type code (exact, case-sensitive) in either table, or null.
const CCalcClassInfo* FindCalcClass(const std::string& code);

/// A new calculation object for the code, owned by the caller: a note for any code whose first
/// character is 'X', the tables' class for one of their codes, else null (also when allocation
/// fails).
CCalcBase* GetCalcBase(const std::string& code);

/// A table row: CALC_CLASS("1110", CDescPerc, 131, "Describe - Proportion - Percentage").
#define CALC_CLASS(code, name, templateId, title)                                                                      \
    {                                                                                                                  \
        code, #name, templateId, title, RUNTIME_CLASS(name)                                                            \
    }
