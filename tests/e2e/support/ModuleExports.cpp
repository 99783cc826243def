#include "ModuleExports.h"

namespace e2e {

namespace {

template <class F>
void Bind(HMODULE module, const char* name, F& fn)
{
    fn = module ? reinterpret_cast<F>(GetProcAddress(module, name)) : nullptr;
}

ModuleExports LoadModule()
{
    ModuleExports m;
    m.module = LoadLibraryW(kModuleName);
    Bind(m.module, "OnDocListDownLoadLightFile", m.OnDocListDownLoadLightFile);
    Bind(m.module, "OnDocListViewDwgFile", m.OnDocListViewDwgFile);
    Bind(m.module, "OnDocListViewLightFile", m.OnDocListViewLightFile);
    Bind(m.module, "OutputLightFile", m.OutputLightFile);
    Bind(m.module, "PrdTreeOutputLightFile", m.PrdTreeOutputLightFile);
    Bind(m.module, "SignPdf", m.SignPdf);
    Bind(m.module, "WfOutputLightFile", m.WfOutputLightFile);
    return m;
}

} // namespace

bool ModuleExports::Complete() const
{
    return module && OnDocListDownLoadLightFile && OnDocListViewDwgFile && OnDocListViewLightFile &&
        OutputLightFile && PrdTreeOutputLightFile && SignPdf && WfOutputLightFile;
}

const ModuleExports& Module()
{
    static const ModuleExports exports = LoadModule();
    return exports;
}

} // namespace e2e
