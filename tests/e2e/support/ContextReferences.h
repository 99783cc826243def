// The reference counts of everything a command can reach through its context: the context, the
// chain of windows, the frames' views, their selected items with their UI and PLM objects, the
// workflow item and its attached items. Counts come from AddRef/Release, which the client's
// objects answer with their true count.
#pragma once

#include <map>
#include <string>

#include <QvInterfaces.h>

namespace e2e {

class ContextReferences {
public:
    // Walks the context and holds one reference to each object it finds while it lives.
    explicit ContextReferences(IQvUiContext* pContext);
    ~ContextReferences();
    ContextReferences(const ContextReferences&) = delete;
    ContextReferences& operator=(const ContextReferences&) = delete;

    // Each object's count now, by a name that says where it was found ("window 1 / view").
    std::map<std::string, ULONG> Counts() const;

private:
    void Add(const std::string& name, IUnknown* pObject); // takes over one reference
    void AddItem(const std::string& name, IQvUiItem* pItem);

    std::map<std::string, IUnknown*> m_objects;
};

} // namespace e2e
