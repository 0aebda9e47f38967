// CDLList: the positional list with its key index.
#include "host/listkit.h"
#include "positional_index.h"

struct CDLList::Impl {
    qxhost::listkit::PositionalIndex index;
};

CListNode::~CListNode() = default;

CDLList::CDLList() = default;

CDLList::CDLList(const CDLList& other)
    : impl_(other.impl_ ? std::make_unique<Impl>(*other.impl_) : nullptr)
{
}

CDLList& CDLList::operator=(const CDLList& other)
{
    if (this != &other) impl_ = other.impl_ ? std::make_unique<Impl>(*other.impl_) : nullptr;
    return *this;
}

// A moved-from list has no storage and reads as empty.
CDLList::CDLList(CDLList&&) noexcept = default;
CDLList& CDLList::operator=(CDLList&&) noexcept = default;
CDLList::~CDLList() = default;

int CDLList::GetLength() const { return impl_ ? impl_->index.size() : 0; }

int CDLList::FindPos(const CListNode& node) const
{
    return impl_ ? impl_->index.first_position_of(node.Key()) : -1;
}

void CDLList::RemoveAll() { impl_.reset(); }

void CDLList::AppendNode(std::unique_ptr<CListNode> node)
{
    if (!node) return;
    if (!impl_) impl_ = std::make_unique<Impl>();
    impl_->index.append(std::move(node));
}

const CListNode* CDLList::NodeAt(int index) const { return impl_ ? impl_->index.at(index) : nullptr; }

int CDLList::RemoveNodeAt(int position) { return impl_ && impl_->index.remove_at(position) ? 1 : 0; }

int CDLList::CountKey(const std::string& key) const { return impl_ ? impl_->index.count_of(key) : 0; }
