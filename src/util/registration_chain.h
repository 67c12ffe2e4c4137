#pragma once

// A process-wide chain of the objects of one kind (picture loaders, sample
// loaders, audio drivers, stream factories) that a lookup asks in turn. An
// object joins the front of its chain when it is made, through a TLink member,
// and leaves it, wherever it stands by then, when it is destroyed. So the
// object made last is asked first, and a program can stand one of its own in
// front of the built-in ones for as long as it lives.
//
// The chain itself is constant-initialised and never needs destroying, so a
// function-local static chain is ready before the first object of any static
// lifetime joins it, and still there when the last one leaves at exit.

template <typename TMember>
class TRegistrationChain {
public:
    // A member's place in the chain. It is a data member of the member rather
    // than a base class, which would have to cast itself down to a member not
    // yet made; a data member is handed the member itself.
    class TLink {
    public:
        TLink(TRegistrationChain& chain, TMember& member)
            : _chain(chain), _member(member), _succ(chain._front) {
            chain._front = this;
        }
        ~TLink() {
            for (TLink** link = &_chain._front; *link; link = &(*link)->_succ) {
                if (*link == this) {
                    *link = _succ;
                    return;
                }
            }
        }
        TLink(const TLink&) = delete;
        TLink& operator=(const TLink&) = delete;

        TMember& Member() const { return _member; }
        // The link behind this one, or null at the end of the chain.
        const TLink* Next() const { return _succ; }
        // The member behind this one, or null at the end of the chain.
        TMember* Successor() const { return _succ ? &_succ->_member : nullptr; }

    private:
        TRegistrationChain& _chain;
        TMember& _member;
        TLink* _succ;
    };

    // Walks the members from the front.
    class TIterator {
    public:
        explicit TIterator(const TLink* link) : _link(link) {}
        TMember& operator*() const { return _link->Member(); }
        TIterator& operator++() {
            _link = _link->Next();
            return *this;
        }
        bool operator==(const TIterator& other) const = default;

    private:
        const TLink* _link;
    };

    constexpr TRegistrationChain() = default;
    TRegistrationChain(const TRegistrationChain&) = delete;
    TRegistrationChain& operator=(const TRegistrationChain&) = delete;

    // The member asked first, or null while the chain is empty.
    TMember* Front() const { return _front ? &_front->Member() : nullptr; }

    TIterator begin() const { return TIterator(_front); }
    TIterator end() const { return TIterator(nullptr); }

    // Runs `install` (which makes the built-in members) the first time only.
    // The flag goes up before the call rather than after it: every member
    // `install` makes comes back here on its way into the chain, and must
    // find the work already under way.
    template <typename TInstall>
    void InstallOnce(TInstall install) {
        if (_installStarted) {
            return;
        }
        _installStarted = true;
        install();
    }

private:
    TLink* _front = nullptr;
    bool _installStarted = false;
};
