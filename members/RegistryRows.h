#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>
#include <vector>

namespace vb::members {

// The lines of the registry grid as the archive gives them: for each person the
// registration number and the member type's code as numbers, and six texts kept as their
// UTF-8 bytes in one buffer shared by all lines. Filling costs little more than reading the
// rows; a text becomes a QString only when asked for (the grid asks for the lines it
// shows). Emptying keeps the room taken, so that a refill of about the same size
// allocates and frees nothing.
class RegistryRows {
public:
    enum Text { Cognome, Nome, Telefono, Cell, CFiscale, NumTessera, TextCount };
    using Texts = std::array<QByteArrayView, TextCount>;

    int size() const { return int(m_lines.size()); }
    bool empty() const { return m_lines.empty(); }
    qint64 codNom(int row) const { return m_lines[size_t(row)].codNom; }
    int codiceControllo(int row) const { return m_lines[size_t(row)].codiceControllo; }
    // The text as stored (the card number unformatted).
    QString text(int row, Text t) const;

    void append(qint64 codNom, const Texts& texts, int codiceControllo);
    // Empties the lines, keeping their room.
    void clear();
    // Makes room for the lines of |other| at least.
    void reserveLike(const RegistryRows& other);

private:
    struct Line {
        qint64 codNom = 0;
        quint32 start[TextCount] = {}; // offsets into m_bytes; a text ends where the next begins
        qint32 codiceControllo = 0;
    };
    size_t end(size_t row, int t) const;

    std::vector<Line> m_lines;
    std::vector<char> m_bytes;
};

} // namespace vb::members
