#pragma once

namespace ardenvo {

// Counts the commands that hold a row of the reminder list across a dialog or question. While
// one is open the window keeps reload requests waiting, so the command acts on the reminder the
// user chose.
class CommandGate {
public:
    bool isOpen() const { return m_held == 0; }

    class Hold {
    public:
        explicit Hold(CommandGate& gate) : m_gate(gate) { ++m_gate.m_held; }
        ~Hold() { --m_gate.m_held; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        CommandGate& m_gate;
    };

private:
    int m_held = 0;
};

} // namespace ardenvo
