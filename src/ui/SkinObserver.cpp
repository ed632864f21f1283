#include "ui/SkinObserver.h"

#include <vector>

ObserverImpl::~ObserverImpl()
{
    for (auto& [order, receiver] : m_receivers)
        receiver->m_subjects.erase(this);
}

ObserverImpl& ObserverImpl::SkinChanged()
{
    static ObserverImpl subject;
    return subject;
}

void ObserverImpl::AddReceiver(ReceiverImpl* receiver)
{
    if (!receiver || receiver->m_subjects.count(this))
        return;
    m_receivers[m_count++] = receiver;
    receiver->m_subjects.insert(this);
}

void ObserverImpl::RemoveReceiver(ReceiverImpl* receiver)
{
    for (auto it = m_receivers.begin(); it != m_receivers.end();) {
        if (it->second == receiver)
            it = m_receivers.erase(it);
        else
            ++it;
    }
    if (receiver)
        receiver->m_subjects.erase(this);
}

void ObserverImpl::Broadcast(SkinChangedParam param)
{
    // A receiver may leave while it receives; walk a copy.
    std::vector<ReceiverImpl*> receivers;
    for (auto& [order, receiver] : m_receivers)
        receivers.push_back(receiver);
    for (ReceiverImpl* receiver : receivers) {
        if (receiver->m_subjects.count(this))
            receiver->Receive(param);
    }
}

ReceiverImpl::~ReceiverImpl()
{
    while (!m_subjects.empty())
        RemoveSubject(*m_subjects.begin());
}

void ReceiverImpl::AddSubject(ObserverImpl* subject)
{
    if (subject)
        subject->AddReceiver(this);
}

void ReceiverImpl::RemoveSubject(ObserverImpl* subject)
{
    if (subject)
        subject->RemoveReceiver(this);
    m_subjects.erase(subject);
}
