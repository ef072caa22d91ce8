#pragma once
// One loupe of a kind at a time: a turn is held while a loupe runs, and
// given back however the loupe ends.

#include <QString>

class VQLoupeTurn
{
  public:
    // Takes the turn unless `running` says a loupe of this kind has it.
    explicit VQLoupeTurn(bool &running) : _running(running), _taken(!running)
    {
        if (_taken)
            _running = true;
    }
    ~VQLoupeTurn()
    {
        if (_taken)
            _running = false;
    }
    VQLoupeTurn(const VQLoupeTurn &) = delete;
    VQLoupeTurn &operator=(const VQLoupeTurn &) = delete;

    bool taken() const { return _taken; }
    // Why a loupe that found no turn picks nothing.
    static QString busyReason() { return QStringLiteral("a loupe is already running"); }

  private:
    bool &_running;
    const bool _taken;
};
