// listkit: host lists.
//
// CDLList is the host's list base: a sequence of CListNode addressed by 0-based
// position. TList<Node> holds info nodes (objects, connectors); CStrList holds
// texts. Every list keeps an index from a node's key to its positions, so that
// FindPos, IsMember, get-at and remove-at cost O(log n) however long the list.
//
// The caller lists (QX_LIST) are the three parallel lists in which the host
// program keeps its cost rows: name list, cost slot list, value list. The
// module only reaches them through the list2_ and list_ functions below.
#ifndef HOST_LISTKIT_H
#define HOST_LISTKIT_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/visibility.h"

// ---------------------------------------------------------------------------
// CListNode and CDLList

// A list element. Its key is what FindPos compares; nodes are copied in and out
// of lists by value (Clone), so a caller's node never aliases list storage.
class QXHOST_API CListNode {
public:
    virtual ~CListNode();
    virtual std::string Key() const = 0;
    virtual std::unique_ptr<CListNode> Clone() const = 0;
};

// Positional list with a key index. Removal keeps the order of what remains.
class QXHOST_API CDLList {
public:
    CDLList();
    CDLList(const CDLList& other);
    CDLList& operator=(const CDLList& other);
    CDLList(CDLList&&) noexcept;
    CDLList& operator=(CDLList&&) noexcept;
    virtual ~CDLList();

    int GetLength() const;
    // Position of the first element whose key equals node.Key(), or -1.
    int FindPos(const CListNode& node) const;
    void RemoveAll();

protected:
    void AppendNode(std::unique_ptr<CListNode> node);
    const CListNode* NodeAt(int index) const;  // null when out of range
    int RemoveNodeAt(int position);            // 1 when removed, 0 when none
    // Number of elements whose key equals `key`.
    int CountKey(const std::string& key) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// List of info nodes of one type (CqxObjectInfoNode, CqxConnectorInfoNode).
template <class Node>
class TList : public CDLList {
public:
    void Append(const Node& node) { AppendNode(node.Clone()); }
    // Appends a node made by the caller, without copying it.
    void Append(std::unique_ptr<Node> node) { AppendNode(std::move(node)); }

    // Copies element `index` into `node`; 0 when out of range.
    int GetAt(int index, Node& node, void* reserved = nullptr) const
    {
        (void)reserved;
        const CListNode* stored = NodeAt(index);
        if (stored == nullptr) return 0;
        node = static_cast<const Node&>(*stored);
        return 1;
    }

    // Removes the element at `position`; 0 when there is none.
    int RemoveAt(int position) { return RemoveNodeAt(position); }
};

// ---------------------------------------------------------------------------
// CStrList

class QXHOST_API CStrList : public CDLList {
public:
    CStrList();
    ~CStrList() override;
    CStrList(const CStrList&) = default;
    CStrList& operator=(const CStrList&) = default;

    // Appends the pieces of `text` between separators as items. Every piece is
    // an item, empty ones included; an empty text gives no item, and a
    // separator at the very end starts no further item.
    void AddTextList(std::string_view text, char separator);
    // The same with a set of separator characters (any of them separates).
    void AddTextList(std::string_view text, const char* separators);
    // Appends one item as it is.
    void AddText(std::string_view text);

    // Non-zero when an item equals `text`.
    int IsMember(std::string_view text) const;
    // The item's text, or null past the end; `length` (optional) receives its
    // length. The pointer stays valid until the list is changed.
    const char* GetTextAt(int index, int* length = nullptr) const;
};

// ---------------------------------------------------------------------------
// CqxString: the host string class.

class QXHOST_API CqxString {
public:
    CqxString() = default;
    explicit CqxString(const char* text);  // null gives the empty string
    explicit CqxString(std::string_view text);

    CqxString& operator=(std::string_view text);
    CqxString& operator=(const char* text);
    CqxString& operator+=(std::string_view text);

    const char* Text() const { return text_.c_str(); }
    const std::string& Str() const { return text_; }
    // Trimming removes spaces, tabs, carriage returns and line feeds.
    void TrimLeft();
    void TrimRight();
    void Empty() { text_.clear(); }
    int IsBlank() const;  // non-zero when empty or only blanks
    int GetLength() const { return static_cast<int>(text_.size()); }
    int Find(char ch) const;             // 0-based index of the first ch, or -1
    CqxString Right(int count) const;    // the last `count` characters

private:
    std::string text_;
};

// ---------------------------------------------------------------------------
// Caller lists

struct QxList2;
using QX_LIST = QxList2*;

// Takes the first line (up to the first line feed, which is dropped) of `text`
// into `out`; `text` keeps the rest, empty when there was one line. Returns 1
// when `text` was not empty.
QXHOST_API int list_pop_first(std::string& text, std::string& out);

// The entry of `values` at the first position of `key` in `keys`, or null when
// `key` is absent or `values` has no entry there. `number` receives the number
// kept with that entry (0 when none). The pointer stays valid until the list
// is changed.
QXHOST_API const char* list2_get_slot_value(QX_LIST keys, QX_LIST values, std::string_view key,
                                            std::uint64_t* number);
// Makes `text` the entry of `values` at the first position of `key` in `keys`
// and keeps `number` with it. A key that is not in `keys` changes nothing and
// gives 0; otherwise 1.
QXHOST_API int list2_add_slot_value(QX_LIST keys, QX_LIST values, std::string_view key,
                                    std::string_view text, std::uint64_t number);
// 0-based first position of `text` in `list`, -1 when absent.
QXHOST_API int list2_get_item_location(QX_LIST list, std::string_view text);
// The entry at `position`, or null when out of range; `number` as above.
QXHOST_API const char* list2_get_item(QX_LIST list, int position, std::uint64_t* number);

// Host side only (the host program builds and reads its lists with these; the
// module never calls them).
QXHOST_API QX_LIST list2_create();
QXHOST_API void list2_destroy(QX_LIST list);
QXHOST_API void list2_append(QX_LIST list, std::string_view text);
QXHOST_API int list2_get_length(QX_LIST list);
// 1 and the number when a number was handed with the entry at `position`.
QXHOST_API int list2_get_number(QX_LIST list, int position, std::uint64_t* number);

#endif
