#pragma once

#include <QByteArray>
#include <QList>

#include <random>

// Saved configurations made hostile: a valid file with values out of range, garbage,
// missing sections, duplicated keys, binary bytes or a cut-off end. Seeded, so every run
// feeds the same files.
class THostileConfig {
public:
    THostileConfig(const QByteArray& validFile, unsigned seed) : rng_(seed)
    {
        lines_ = validFile.split('\n');
        for (qsizetype i = 0; i < lines_.size(); ++i) {
            if (lines_[i].startsWith('['))
                sections_.append(i);
            else if (lines_[i].contains('='))
                keys_.append(i);
        }
        // Keys of the small sections (loop type, tones, site timers ...) are few among
        // thousands of point keys: they get mutations of their own.
        for (qsizetype s = 0; s < sections_.size(); ++s) {
            const qsizetype end = s + 1 < sections_.size() ? sections_[s + 1] : lines_.size();
            if (end - sections_[s] <= 30)
                for (qsizetype i = sections_[s] + 1; i < end; ++i)
                    if (lines_[i].contains('='))
                        smallSectionKeys_.append(i);
        }
    }

    // The valid file with valueMutations hostile values and one to four other faults.
    QByteArray Next(int valueMutations = 0)
    {
        QList<QByteArray> lines = lines_;
        const int count = Pick(1, 4) + valueMutations;
        QByteArray tail;
        for (int m = 0; m < count; ++m) {
            switch (m < valueMutations ? 0 : Pick(0, 9)) {
            case 0: case 1: case 2: case 3: {
                const QList<qsizetype>& from = Pick(0, 1) ? keys_ : smallSectionKeys_;
                QByteArray& line = lines[from[Pick(0, int(from.size()) - 1)]];
                if (line.contains('='))
                    line = line.left(line.indexOf('=') + 1) + HostileValue() + '\r';
                break;
            }
            case 4: {
                // The key's section, now empty of the rest.
                const int s = Pick(0, int(sections_.size()) - 1);
                const qsizetype end = s + 1 < sections_.size() ? sections_[s + 1] : lines.size();
                for (qsizetype i = sections_[s]; i < end && i < lines.size(); ++i)
                    lines[i].clear();
                break;
            }
            case 5: {
                const qsizetype i = keys_[Pick(0, int(keys_.size()) - 1)];
                QByteArray copy = lines[i];
                if (copy.contains('='))
                    copy = copy.left(copy.indexOf('=') + 1) + HostileValue() + '\r';
                lines[i] = Pick(0, 1) ? lines[i] + '\n' + copy : copy + '\n' + lines[i];
                break;
            }
            case 6:
                tail += RandomBytes(Pick(1, 40));
                lines[Pick(0, int(lines.size()) - 1)] += RandomBytes(Pick(1, 20));
                break;
            case 7:
                lines[Pick(0, int(lines.size()) - 1)] = RandomBytes(Pick(0, 60));
                break;
            case 8:
                lines.insert(Pick(0, int(lines.size())),
                             Pick(0, 1) ? QByteArray("[") + RandomBytes(Pick(0, 10)) + "]\r"
                                        : RandomBytes(Pick(0, 8)) + '=' + HostileValue() + '\r');
                break;
            default:
                truncate_ = true;
                break;
            }
        }
        QByteArray out = lines.join('\n') + tail;
        if (truncate_) {
            out.truncate(Pick(0, int(out.size())));
            truncate_ = false;
        }
        return out;
    }

    QByteArray HostileValue()
    {
        static const char* const fixed[] = {
            "-1", "0", "4", "5", "33", "41", "42", "253", "254", "255", "256", "300", "-255",
            "65535", "65536", "2147483647", "-2147483648", "2147483648", "99999999999999999999",
            "0x7FFFFFFF", "$FFFFFFFF", "0xFFFFFFFF", "-0", "+7", " 12 ", "1e9", "abc", "",
            "0/0/0/0/0/0/", "999/-5/300/70000/1/255/", "1/2/3", "//////", "99:99", "25:61",
            "31/02/2024", "00/00/0000", "No name allocated"};
        switch (Pick(0, 3)) {
        case 0:
            return QByteArray::number(Pick(-300, 300));
        case 1:
            return RandomBytes(Pick(0, 30));
        default:
            return fixed[Pick(0, int(std::size(fixed)) - 1)];
        }
    }

    QByteArray RandomBytes(int n)
    {
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes += static_cast<char>(Pick(0, 255));
        return bytes;
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }

private:
    std::mt19937 rng_;
    QList<QByteArray> lines_;
    QList<qsizetype> sections_;
    QList<qsizetype> keys_;
    QList<qsizetype> smallSectionKeys_;
    bool truncate_ = false;
};
