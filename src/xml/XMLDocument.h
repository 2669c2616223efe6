// The XML document tree: items, lists of items, elements with attributes, and the path queries
// ("map/rect/@left") through which every client reads and builds its files.
#pragma once

#include "xml/XMLName.h"

#include <algorithm>
#include <cstddef>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

namespace vexo {

class CXMLReader;
class CXMLWriter;
class CXMLElement;
class CXMLAttribute;

// Item type codes; equal to the reader's token kinds for the same constructs.
enum XMLItemType { XML_ELEMENT = 0, XML_CHARDATA = 3, XML_CDATA = 4, XML_PI = 5, XML_COMMENT = 6 };

class CXMLItem {
public:
    CXMLItem() = default;
    CXMLItem(const CXMLItem&) = delete;
    CXMLItem& operator=(const CXMLItem&) = delete;
    virtual ~CXMLItem() = default;
    virtual int GetType() const = 0;
    virtual void Write(CXMLWriter& writer) const = 0;
};

// Text-bearing items; `text` is Windows-1250 with entities already decoded.
class CXMLTextItem : public CXMLItem {
public:
    explicit CXMLTextItem(std::string text) : text(std::move(text)) {}
    std::string text;
};

class CXMLCharData : public CXMLTextItem {
public:
    using CXMLTextItem::CXMLTextItem;
    int GetType() const override { return XML_CHARDATA; }
    void Write(CXMLWriter& writer) const override;
};

class CXMLCDATASection : public CXMLTextItem {
public:
    using CXMLTextItem::CXMLTextItem;
    int GetType() const override { return XML_CDATA; }
    void Write(CXMLWriter& writer) const override;
};

class CXMLComment : public CXMLTextItem {
public:
    using CXMLTextItem::CXMLTextItem;
    int GetType() const override { return XML_COMMENT; }
    void Write(CXMLWriter& writer) const override;
};

// A processing instruction: `text` holds its data.
class CXMLPI : public CXMLTextItem {
public:
    CXMLPI(std::string_view target, std::string data) : CXMLTextItem(std::move(data)), target(target) {}
    int GetType() const override { return XML_PI; }
    void Write(CXMLWriter& writer) const override;
    const std::string& GetName() const { return target.Get(); }
    CXMLName target;
};

// An ordered sequence of owned nodes, appended in document order. Searches are linear scans:
// the files are small and document order is what the lookups promise. The nodes, and the list's
// own array, live in the arena of the document they belong to: a mission holds thousands of
// elements, and one allocation and one release each were a good part of reading it. Removing a
// node runs its destructor; its memory returns with the document's.
template <class T> class TXMLAbstractList {
public:
    explicit TXMLAbstractList(std::pmr::memory_resource* arena) : entries(arena) {}
    TXMLAbstractList(const TXMLAbstractList&) = delete;
    TXMLAbstractList& operator=(const TXMLAbstractList&) = delete;
    virtual ~TXMLAbstractList() { Clear(); }

    std::size_t GetCount() const { return entries.size(); }
    T* GetItem(std::size_t index) const { return entries[index]; }
    void Clear() {
        for (T* node : entries)
            node->~T();
        std::pmr::vector<T*>(entries.get_allocator()).swap(entries);
    }

protected:
    std::pmr::memory_resource* Arena() const { return entries.get_allocator().resource(); }

    template <class U, class... Args> U* Emplace(Args&&... args) {
        // Room first: once the node is made, appending it cannot fail and leave it unowned.
        if (entries.size() == entries.capacity()) entries.reserve(std::max<std::size_t>(4, entries.size() * 2));
        U* node = std::pmr::polymorphic_allocator<>(Arena()).new_object<U>(std::forward<Args>(args)...);
        entries.push_back(node);
        return node;
    }

private:
    std::pmr::vector<T*> entries;
};

// One level of the tree: the document's top level or an element's children.
class CXMLItemList : public TXMLAbstractList<CXMLItem> {
public:
    explicit CXMLItemList(std::pmr::memory_resource* arena) : TXMLAbstractList(arena) {}

    // Stores the token the reader has just delivered; false ends this level's Read.
    virtual bool OnItem(CXMLReader& reader, int kind);
    virtual void GetValue(std::string& result, std::string_view path, std::string_view defaultValue) const;
    virtual void SetValue(std::string_view path, std::string_view value);
    virtual CXMLElement* FindElement(std::string_view path);
    virtual CXMLAttribute* FindAttribute(std::string_view path);
    virtual bool Exists(std::string_view path) const;
    virtual void Write(CXMLWriter& writer) const;
    virtual void Read(CXMLReader& reader);

    // GetValue as a result, for expressions such as ToInt(doc.Value("map/camera/@x", "0")).
    std::string Value(std::string_view path, std::string_view defaultValue = {}) const;
    const CXMLElement* FindElement(std::string_view path) const;

    CXMLElement* AddElement(std::string_view name);
    CXMLCharData* AddCharData(std::string text);
    CXMLCDATASection* AddCDATASection(std::string text);
    CXMLComment* AddComment(std::string text);
    CXMLPI* AddPI(std::string_view target, std::string data);
    CXMLPI* AddXmlDeclaration();

protected:
    // The first child element with exactly this name, or null.
    CXMLElement* FirstChild(std::string_view name) const;
};

// The memory of a document's nodes. A base of the document that comes before its item list, so
// that it is made before the first node and released after the last one is destroyed.
class CXMLArena {
protected:
    std::pmr::monotonic_buffer_resource arena;
};

class CXMLDocument : private CXMLArena, public CXMLItemList {
public:
    CXMLDocument() : CXMLItemList(&arena) {}
    // Empties the document and hands its memory back: a document that is loaded again (the
    // settings) does not keep the memory of every earlier load.
    void Clear() {
        CXMLItemList::Clear();
        arena.release();
    }
};

// Attributes are plain records owned by their element's list.
class CXMLAttribute {
public:
    CXMLAttribute(std::string_view name, std::string_view value) : name(name), value(value) {}
    const std::string& GetName() const { return name.Get(); }
    CXMLName name;
    std::string value;
};

// Kept by value in the document's arena: a mission holds thousands of units with several
// attributes each, and one allocation per attribute was most of what reading them cost. A pointer
// to an attribute lasts until the next one is added to the same element.
class CXMLAttributeList {
public:
    explicit CXMLAttributeList(std::pmr::memory_resource* arena) : entries(arena) {}

    std::size_t GetCount() const { return entries.size(); }
    CXMLAttribute* GetItem(std::size_t index) { return &entries[index]; }
    const CXMLAttribute* GetItem(std::size_t index) const { return &entries[index]; }

    CXMLAttribute* Find(std::string_view name);
    const CXMLAttribute* Find(std::string_view name) const;
    void Get(std::string& result, std::string_view name, std::string_view defaultValue) const;
    // Replaces the first attribute of that name, or appends one.
    void Set(std::string_view name, std::string_view value);
    // Appends without looking for duplicates, as the reader needs.
    CXMLAttribute* Add(std::string_view name, std::string_view value);
    void Write(CXMLWriter& writer) const;

private:
    std::pmr::vector<CXMLAttribute> entries;
};

// An element is an item of its parent's list and a list of its own children.
class CXMLElement : public CXMLItem, public CXMLItemList {
public:
    // `arena` is the document's, passed down by the list that adds the element.
    CXMLElement(std::string_view name, std::pmr::memory_resource* arena)
        : CXMLItemList(arena), name(name), attributes(arena) {}
    int GetType() const override { return XML_ELEMENT; }
    const std::string& GetName() const { return name.Get(); }

    // Start tag, attributes, children, end tag; the same through either base.
    void Write(CXMLWriter& writer) const override;
    bool OnItem(CXMLReader& reader, int kind) override;
    // Each also understands the empty path (this element) and "@name" (an attribute).
    void GetValue(std::string& result, std::string_view path, std::string_view defaultValue) const override;
    void SetValue(std::string_view path, std::string_view value) override;
    CXMLElement* FindElement(std::string_view path) override;
    CXMLAttribute* FindAttribute(std::string_view path) override;
    bool Exists(std::string_view path) const override;
    using CXMLItemList::FindElement;

    CXMLName name;
    CXMLAttributeList attributes;
};

} // namespace vexo
