#pragma once

// A doubly linked ring of shared references through a sentinel link.
//
// Removing a link unhooks it from its neighbours but leaves its own successor
// in place. A walk standing on a removed link therefore still finds its way
// back into the list, so elements may be removed, by anyone, while the list is
// being walked: the game's police cars take themselves out of their list in
// the middle of the frame's walk over it.
//
// Ownership runs forward only: a link owns its successor and merely observes
// its predecessor. The only cycle is the ring itself, which the list breaks
// when it dies. A removed link keeps its former successor alive, never the
// other way round, so a walk that outlives its list still reaches the sentinel
// and stops, and everything is freed once the walk lets go.
//
// Values compare by identity: a list finds the very object it was given.

#include "containers/enum_iterator.h"

#include <iterator>
#include <memory>
#include <utility>
#include <vector>

template <typename T>
class TList;
template <typename T>
class TListEnum;

template <typename T>
class TLink {
    // Only a list makes links; the key keeps the constructor usable by
    // std::make_shared without letting anyone else call it.
    struct Passkey {
        explicit Passkey() = default;
    };

public:
    TLink(Passkey, std::shared_ptr<T> value, bool isSentinel)
        : _value(std::move(value)), _isSentinel(isSentinel) {}

    TLink(const TLink&) = delete;
    TLink& operator=(const TLink&) = delete;

    // A chain of removed links is freed one by one rather than by recursion,
    // which a long chain held by a walk would otherwise turn into a deep stack.
    ~TLink() {
        std::shared_ptr<TLink> next = std::move(_succ);
        while (next && next.use_count() == 1) {
            next = std::move(next->_succ);
        }
    }

    // Null once the link has been removed.
    std::shared_ptr<T> Value() const { return _value; }

    // The neighbouring element links, or null at either end of the list. A
    // removed link still leads to its former neighbours.
    std::shared_ptr<TLink> NextLink() const {
        return _succ && !_succ->_isSentinel ? _succ : nullptr;
    }
    std::shared_ptr<TLink> PrevLink() const {
        std::shared_ptr<TLink> pred = _pred.lock();
        return pred && !pred->_isSentinel ? pred : nullptr;
    }

    // Takes the link out of its list, releasing its value. Removing a link
    // twice does nothing: relinking its stale neighbours again would cut out
    // whatever has been inserted or removed next to it since.
    void Remove() {
        if (_isSentinel || !_IsLinked()) {
            return;
        }
        std::shared_ptr<TLink> pred = _pred.lock();
        // The predecessor held the owning reference to this link; keep it, and
        // the value, alive until the unhooking is done, so that neither a
        // destructor nor the value's own clean-up ever sees a half-made ring.
        std::shared_ptr<TLink> self = pred->_succ;
        std::shared_ptr<T> value = std::move(_value);
        _succ->_pred = _pred;
        pred->_succ = _succ;
    }

private:
    friend class TList<T>;
    friend class TListEnum<T>;

    // In a ring exactly when its predecessor still points back at it; removal
    // moves the predecessor on for good, since links are never reinserted.
    bool _IsLinked() const {
        std::shared_ptr<TLink> pred = _pred.lock();
        return pred && pred->_succ.get() == this;
    }

    std::shared_ptr<T> _value;
    std::shared_ptr<TLink> _succ;
    std::weak_ptr<TLink> _pred;
    // Marks the end of a walk: values are typed here, so the sentinel cannot
    // hold itself as its value the way an untyped list would mark it.
    bool _isSentinel;
};

// A walk over a list. It holds the link whose value comes next, so it goes on
// correctly however the list changes around it.
template <typename T>
class TListEnum {
public:
    // False once the walk has arrived back at the sentinel.
    bool HasNext() const { return !_link->_isSentinel; }

    // Takes the value of the current link and advances before returning it.
    // A link removed before the walk reached it yields null once. At the end
    // of the walk it returns null and stays put.
    std::shared_ptr<T> NextObject() {
        if (!HasNext()) {
            return nullptr;
        }
        std::shared_ptr<T> value = _link->_value;
        _link = _link->_succ;
        return value;
    }

private:
    friend class TList<T>;

    explicit TListEnum(std::shared_ptr<TLink<T>> link) : _link(std::move(link)) {}

    std::shared_ptr<TLink<T>> _link;
};

template <typename T>
class TList {
public:
    using Link = TLink<T>;
    using LinkRef = std::shared_ptr<TLink<T>>;
    using Value = std::shared_ptr<T>;

    TList() : _head(std::make_shared<Link>(typename Link::Passkey{}, nullptr, true)) {
        _head->_succ = _head;
        _head->_pred = _head;
    }

    // Breaks the ring: without dropping the sentinel's reference to itself it
    // would keep itself alive.
    ~TList() {
        Clear();
        _head->_succ.reset();
        _head->_pred.reset();
    }

    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    void Clear() {
        while (!IsEmpty()) {
            _head->_succ->Remove();
        }
    }

    bool IsEmpty() const { return _head->_succ == _head; }

    bool Contains(const Value& value) const { return FindLink(value) != nullptr; }

    LinkRef AddFirst(Value value) { return InsertAfterLink(std::move(value), _head); }
    LinkRef AddLast(Value value) { return InsertBeforeLink(std::move(value), _head); }

    // Null when the list is empty.
    Value First() const { return _head->_succ->_value; }
    Value Last() const { return _head->_pred.lock()->_value; }

    // Remove and return the first or last value; null when the list is empty.
    Value RemoveFirst() { return _RemoveLink(FirstLink()); }
    Value RemoveLast() { return _RemoveLink(LastLink()); }

    // Null when the list is empty.
    LinkRef FirstLink() const { return _head->NextLink(); }
    LinkRef LastLink() const { return _head->PrevLink(); }

    // The new link joins the list that `succ` (or `pred`) is in. An anchor
    // that is null or no longer in a list gets nothing inserted and null back:
    // splicing next to stale neighbours would cut elements out of the list.
    LinkRef InsertBeforeLink(Value value, const LinkRef& succ) {
        if (!succ || !succ->_IsLinked()) {
            return nullptr;
        }
        auto link = std::make_shared<Link>(typename Link::Passkey{}, std::move(value), false);
        link->_succ = succ;
        link->_pred = succ->_pred;
        link->_pred.lock()->_succ = link;
        succ->_pred = link;
        return link;
    }

    LinkRef InsertAfterLink(Value value, const LinkRef& pred) {
        if (!pred || !pred->_IsLinked()) {
            return nullptr;
        }
        auto link = std::make_shared<Link>(typename Link::Passkey{}, std::move(value), false);
        link->_pred = pred;
        link->_succ = pred->_succ;
        link->_succ->_pred = link;
        pred->_succ = link;
        return link;
    }

    // The first link, from the front, that holds this very object; or null.
    LinkRef FindLink(const Value& value) const {
        for (LinkRef link = _head->_succ; link != _head; link = link->_succ) {
            if (link->_value == value) {
                return link;
            }
        }
        return nullptr;
    }

    // The value at a 0-based position, or null outside the list.
    Value ValueAtIndex(int index) const {
        if (index < 0) {
            return nullptr;
        }
        for (LinkRef link = _head->_succ; link != _head; link = link->_succ) {
            if (index-- == 0) {
                return link->_value;
            }
        }
        return nullptr;
    }

    // Walks the list: nothing is cached.
    int Count() const {
        int count = 0;
        for (LinkRef link = _head->_succ; link != _head; link = link->_succ) {
            ++count;
        }
        return count;
    }

    // Removes only the first link holding this object.
    bool Remove(const Value& value) {
        LinkRef link = FindLink(value);
        if (!link) {
            return false;
        }
        link->Remove();
        return true;
    }

    void Reverse() {
        // Holding every link keeps the ring alive while its owning references
        // are swapped around.
        std::vector<LinkRef> ring;
        LinkRef link = _head;
        do {
            ring.push_back(link);
            link = link->_succ;
        } while (link != _head);
        for (const LinkRef& each : ring) {
            LinkRef pred = each->_pred.lock();
            each->_pred = each->_succ;
            each->_succ = std::move(pred);
        }
    }

    std::vector<Value> ToArray() const {
        std::vector<Value> values;
        for (LinkRef link = _head->_succ; link != _head; link = link->_succ) {
            values.push_back(link->_value);
        }
        return values;
    }

    TListEnum<T> ObjectEnumerator() const { return TListEnum<T>(_head->_succ); }

    // Range-for walks the list exactly as ObjectEnumerator does, so a removed
    // element can come out as null.
    TEnumIterator<TListEnum<T>> begin() const {
        return TEnumIterator<TListEnum<T>>(ObjectEnumerator());
    }
    std::default_sentinel_t end() const { return {}; }

private:
    static Value _RemoveLink(const LinkRef& link) {
        if (!link) {
            return nullptr;
        }
        Value value = link->_value;
        link->Remove();
        return value;
    }

    LinkRef _head;
};

template <typename T>
std::shared_ptr<TList<T>> MakeEmptyList() {
    return std::make_shared<TList<T>>();
}
