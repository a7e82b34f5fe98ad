// The browser helper object that the browser creates for each of its
// windows: it listens to the browser's events and tells the program when a
// loaded page asks for a password; it answers for its interface through the
// type library; as the page's UI handler it shows the page's context menu
// with the program's commands and the site's records.
#pragma once

#include <windows.h>
#include <docobj.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ocidl.h>

#include <atomic>
#include <string>

#include "bho/AuthDialogWatcher.h"
#include "bho/Sidlowe.h"
#include "platform/ComPtr.h"

namespace kv::bho {

class SidloweObj : public IObjectWithSite, public ISidloweObj, public IDocHostUIHandler, public IOleCommandTarget {
public:
    SidloweObj();
    virtual ~SidloweObj();
    SidloweObj(const SidloweObj&) = delete;
    SidloweObj& operator=(const SidloweObj&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IObjectWithSite
    HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override;
    HRESULT STDMETHODCALLTYPE GetSite(REFIID iid, void** site) override;

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // IDocHostUIHandler: the context menu is the helper's; the page's
    // previous handler answers for the host's information and its UI.
    HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD context, POINT* at, IUnknown* commandTarget,
                                              IDispatch* object) override;
    HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
    HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                                     IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) override;
    HRESULT STDMETHODCALLTYPE HideUI() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UpdateUI() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override;
    HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject**) override { return E_NOTIMPL; }

    // IOleCommandTarget: the page's previous command target answers.
    HRESULT STDMETHODCALLTYPE QueryStatus(const GUID* group, ULONG count, OLECMD* commands, OLECMDTEXT* text) override;
    HRESULT STDMETHODCALLTYPE Exec(const GUID* group, DWORD id, DWORD options, VARIANT* in, VARIANT* out) override;

    // The browser's events, as their dispatch identifiers number them.
    static constexpr DISPID kBeforeNavigate2 = 250;
    static constexpr DISPID kNewWindow2 = 251;
    static constexpr DISPID kDownloadBegin = 106;
    static constexpr DISPID kDownloadComplete = 104;
    static constexpr DISPID kNavigateComplete2 = 252;
    static constexpr DISPID kDocumentComplete = 259;
    static constexpr DISPID kOnQuit = 253;
    static constexpr DISPID kQuitOfOldBrowsers = 103;

private:
    HRESULT LoadTypeInfo();
    bool ListenToBrowser();
    void StopListening();
    void OnEvent(DISPID id, const DISPPARAMS& parameters);
    void OnPageComplete(IDispatch* frame);
    // Makes the helper the UI handler of the page, keeping the previous one.
    void HandlePageUi(IDispatch* document);

    std::atomic<ULONG> references_{1};
    ComPtr<IUnknown> site_;
    ComPtr<ITypeInfo> typeInfo_;
    ComPtr<IWebBrowser2> browser_;
    DWORD cookie_ = 0;
    ComPtr<IDispatch> topFrame_;  // the frame whose completion completes the page
    std::string address_;         // of the last navigation, in the ANSI code page
    ComPtr<IDocHostUIHandler> previousHandler_;
    ComPtr<IOleCommandTarget> previousTarget_;
    AuthDialogWatcher watcher_;
};

}  // namespace kv::bho
