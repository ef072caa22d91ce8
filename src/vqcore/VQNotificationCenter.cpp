#include "vqcore/VQNotificationCenter.h"

#include <algorithm>

VQNotificationCenter &VQNotificationCenter::defaultCenter()
{
    // Never destroyed: observers held by other static objects remove
    // themselves at exit, in whatever order those objects go.
    static VQNotificationCenter *const center = new VQNotificationCenter;
    return *center;
}

VQNotificationCenter::Token VQNotificationCenter::addObserver(const QString &name, const void *object, Handler handler)
{
    std::lock_guard lock(_mutex);
    const Token token = _nextToken++;
    _entries.push_back({token, name, object, std::make_shared<Handler>(std::move(handler))});
    return token;
}

void VQNotificationCenter::removeObserver(Token token)
{
    std::lock_guard lock(_mutex);
    std::erase_if(_entries, [token](const Entry &e) { return e.token == token; });
}

void VQNotificationCenter::post(const QString &name, const void *object)
{
    // Copy the matching handlers first: an observer may add or remove observers,
    // or post again, while it runs.
    std::vector<std::pair<Token, std::shared_ptr<Handler>>> targets;
    {
        std::lock_guard lock(_mutex);
        for (const Entry &e : _entries)
            if (e.name == name && (e.object == nullptr || e.object == object))
                targets.emplace_back(e.token, e.handler);
    }
    const VQNotification note{name, object};
    for (const auto &[token, handler] : targets) {
        bool stillRegistered;
        {
            std::lock_guard lock(_mutex);
            stillRegistered =
                std::any_of(_entries.begin(), _entries.end(), [t = token](const Entry &e) { return e.token == t; });
        }
        if (stillRegistered)
            (*handler)(note);
    }
}

int VQNotificationCenter::observerCount(const QString &name) const
{
    std::lock_guard lock(_mutex);
    return int(std::count_if(_entries.begin(), _entries.end(), [&](const Entry &e) { return e.name == name; }));
}

VQObserverToken::VQObserverToken(VQNotificationCenter::Token token, VQNotificationCenter *center)
    : _token(token), _center(center ? center : &VQNotificationCenter::defaultCenter())
{
}

VQObserverToken::VQObserverToken(VQObserverToken &&other) noexcept
    : _token(std::exchange(other._token, 0)), _center(other._center)
{
}

VQObserverToken &VQObserverToken::operator=(VQObserverToken &&other) noexcept
{
    if (this != &other) {
        reset();
        _token = std::exchange(other._token, 0);
        _center = other._center;
    }
    return *this;
}

VQObserverToken::~VQObserverToken()
{
    reset();
}

void VQObserverToken::reset()
{
    if (_token && _center)
        _center->removeObserver(_token);
    _token = 0;
}
