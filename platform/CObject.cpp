// The root object class and the registry that maps class names found in archives to the
// classes that create their objects.
#include "CObject.h"

#include <map>
#include <string>

namespace
{
std::map<std::string, const CRuntimeClass*, std::less<>>& Registry()
{
    static std::map<std::string, const CRuntimeClass*, std::less<>> registry;
    return registry;
}
} // namespace

// CObject is not serializable: its schema is the "no schema" value.
const CRuntimeClass CObject::classCObject = {"CObject", 0xFFFF, nullptr, nullptr};

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const
{
    for (const CRuntimeClass* runtimeClass = this; runtimeClass; runtimeClass = runtimeClass->m_pBaseClass) {
        if (runtimeClass == base)
            return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name)
{
    const auto& registry = Registry();
    const auto found = registry.find(name);
    return found == registry.end() ? nullptr : found->second;
}

void AfxRegisterClass(const CRuntimeClass* runtimeClass)
{
    // The first registration of a name wins; registering again changes nothing.
    if (runtimeClass && runtimeClass->m_lpszClassName)
        Registry().emplace(runtimeClass->m_lpszClassName, runtimeClass);
}

const CRuntimeClass* CObject::GetRuntimeClass() const
{
    return &classCObject;
}

void CObject::Serialize(CArchive&)
{}

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}
