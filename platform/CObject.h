// The root object class with run-time class information, creation by class name and the
// registry of serializable classes. Class names are data: documents carry them.
#pragma once

#include <string_view>

class CArchive;
class CObject;

struct CRuntimeClass
{
    const char* m_lpszClassName;
    int m_wSchema;
    CObject* (*m_pfnCreateObject)(); // null for classes that cannot be created by name
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    bool IsDerivedFrom(const CRuntimeClass* base) const;
    /// The registered class of that name, or null.
    static const CRuntimeClass* FromName(std::string_view name);
};

/// Registers a class for creation by name when an archive is read (idempotent).
void AfxRegisterClass(const CRuntimeClass* runtimeClass);

class CObject
{
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual void Serialize(CArchive& ar);
    bool IsKindOf(const CRuntimeClass* runtimeClass) const;

    static const CRuntimeClass classCObject;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_SERIAL(class_name)                                                                                     \
public:                                                                                                                \
    static const CRuntimeClass class##class_name;                                                                      \
    const CRuntimeClass* GetRuntimeClass() const override;                                                             \
    static CObject* CreateObject();

#define IMPLEMENT_SERIAL(class_name, base_class_name, schema)                                                          \
    CObject* class_name::CreateObject()                                                                                \
    {                                                                                                                  \
        return new class_name;                                                                                         \
    }                                                                                                                  \
    const CRuntimeClass class_name::class##class_name = {#class_name, schema, class_name::CreateObject,                \
                                                         RUNTIME_CLASS(base_class_name)};                              \
    const CRuntimeClass* class_name::GetRuntimeClass() const                                                           \
    {                                                                                                                  \
        return RUNTIME_CLASS(class_name);                                                                              \
    }

/// A class with run-time information that is not created by name (abstract bases).
#define DECLARE_DYNAMIC(class_name)                                                                                    \
public:                                                                                                                \
    static const CRuntimeClass class##class_name;                                                                      \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                                 \
    const CRuntimeClass class_name::class##class_name = {#class_name, 0, nullptr, RUNTIME_CLASS(base_class_name)};     \
    const CRuntimeClass* class_name::GetRuntimeClass() const                                                           \
    {                                                                                                                  \
        return RUNTIME_CLASS(class_name);                                                                              \
    }
