// CObject and the runtime class records through which document templates
// create a program's document, frame and view without knowing their types.
#ifndef TAMREL_AFXOBJ_H
#define TAMREL_AFXOBJ_H

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();

    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

class CObject {
public:
    virtual ~CObject() {}

protected:
    CObject() {}

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// A class that a template creates declares DECLARE_DYNCREATE(cls) in its body
// and IMPLEMENT_DYNCREATE(cls, base) in its source file; its default
// constructor may stay protected, since only the class itself calls it.
#define DECLARE_DYNCREATE(class_name)       \
public:                                     \
    static CRuntimeClass class##class_name; \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject()                  \
    {                                                    \
        return new class_name;                           \
    }                                                    \
    CRuntimeClass class_name::class##class_name = {#class_name, &class_name::CreateObject};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#endif
