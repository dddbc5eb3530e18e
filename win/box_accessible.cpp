#include "box_accessible.h"

#include <oleacc.h>

#include <atomic>

namespace {

// Everything is asked of the standard object but the name and the description.
class BoxAccessible final : public IAccessible {
public:
    BoxAccessible(IAccessible* standard, std::wstring name, std::wstring description)
        : standard_(standard), name_(std::move(name)), description_(std::move(description))
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return standard_->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return own(child, name_, name, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return own(child, description_, description, &IAccessible::get_accDescription);
    }

#define FORWARD(method, parameters, arguments)                                                                         \
    HRESULT STDMETHODCALLTYPE method parameters override { return standard_->method arguments; }
    FORWARD(GetTypeInfoCount, (UINT * count), (count))
    FORWARD(GetTypeInfo, (UINT info, LCID locale, ITypeInfo** type), (info, locale, type))
    FORWARD(GetIDsOfNames, (REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids),
            (id, names, count, locale, ids))
    FORWARD(Invoke,
            (DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters, VARIANT* result,
             EXCEPINFO* exception, UINT* error),
            (member, id, locale, flags, parameters, result, exception, error))
    FORWARD(get_accParent, (IDispatch * *parent), (parent))
    FORWARD(get_accChildCount, (LONG * count), (count))
    FORWARD(get_accChild, (VARIANT child, IDispatch** dispatch), (child, dispatch))
    FORWARD(get_accValue, (VARIANT child, BSTR* value), (child, value))
    FORWARD(get_accRole, (VARIANT child, VARIANT* role), (child, role))
    FORWARD(get_accState, (VARIANT child, VARIANT* state), (child, state))
    FORWARD(get_accHelp, (VARIANT child, BSTR* help), (child, help))
    FORWARD(get_accHelpTopic, (BSTR * file, VARIANT child, LONG* topic), (file, child, topic))
    FORWARD(get_accKeyboardShortcut, (VARIANT child, BSTR* shortcut), (child, shortcut))
    FORWARD(get_accFocus, (VARIANT * child), (child))
    FORWARD(get_accSelection, (VARIANT * children), (children))
    FORWARD(get_accDefaultAction, (VARIANT child, BSTR* action), (child, action))
    FORWARD(accSelect, (LONG flags, VARIANT child), (flags, child))
    FORWARD(accLocation, (LONG * left, LONG* top, LONG* width, LONG* height, VARIANT child),
            (left, top, width, height, child))
    FORWARD(accNavigate, (LONG direction, VARIANT start, VARIANT* end), (direction, start, end))
    FORWARD(accHitTest, (LONG left, LONG top, VARIANT* child), (left, top, child))
    FORWARD(accDoDefaultAction, (VARIANT child), (child))
    FORWARD(put_accName, (VARIANT child, BSTR name), (child, name))
    FORWARD(put_accValue, (VARIANT child, BSTR value), (child, value))
#undef FORWARD

private:
    ~BoxAccessible() { standard_->Release(); }

    using Getter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    HRESULT own(VARIANT child, const std::wstring& text, BSTR* result, Getter standard)
    {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return (standard_->*standard)(child, result);
        *result = text.empty() ? nullptr : SysAllocString(text.c_str());
        return text.empty() ? S_FALSE : S_OK;
    }

    IAccessible* standard_;
    std::wstring name_;
    std::wstring description_;
    std::atomic<ULONG> references_{1};
};

} // namespace

LRESULT boxAccessible(HWND box, WPARAM flags, const std::wstring& name, const std::wstring& description)
{
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(box, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard))))
        return 0;
    auto* accessible = new BoxAccessible(standard, name, description);
    const LRESULT result = LresultFromObject(IID_IAccessible, flags, accessible);
    accessible->Release();
    return result;
}
