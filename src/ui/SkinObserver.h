#pragma once

// The process-wide skin-changed subject: the skin picker broadcasts the chosen background and
// the main window, a receiver, paints it on its root.

#include <cstdint>
#include <map>
#include <set>
#include <string>

// A background choice: a colour without image, or an image (skin-relative name or absolute
// path) without colour.
struct SkinChangedParam {
    bool isColour = false;
    uint32_t colour = 0; // ARGB
    std::string image;
};

class ReceiverImpl;

// A subject: receivers in subscription order, none owned.
class ObserverImpl {
public:
    virtual ~ObserverImpl();
    virtual void AddReceiver(ReceiverImpl* receiver);
    virtual void RemoveReceiver(ReceiverImpl* receiver);
    // Hands param to every receiver in subscription order.
    virtual void Broadcast(SkinChangedParam param);
    virtual void Notify(SkinChangedParam param) { Broadcast(std::move(param)); }

    // The skin-changed subject, created on first use, living for the process.
    static ObserverImpl& SkinChanged();

private:
    std::map<int, ReceiverImpl*> m_receivers;
    int m_count = 0;
};

// A receiver; leaving (or being destroyed) removes it from every subject it joined.
class ReceiverImpl {
public:
    virtual ~ReceiverImpl();
    virtual void AddSubject(ObserverImpl* subject);
    virtual void RemoveSubject(ObserverImpl* subject);
    virtual int Receive(const SkinChangedParam& /*param*/) { return 0; }
    virtual int Respond(const SkinChangedParam& /*param*/) { return 0; }

private:
    friend class ObserverImpl;
    std::set<ObserverImpl*> m_subjects;
};
