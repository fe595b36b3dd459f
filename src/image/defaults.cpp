#include "defaults.h"

#include "globals.h"
#include "textcodec.h"

#include <initializer_list>

const QByteArray DefaultIpAddressText = QByteArrayLiteral("192.168.0.1") + QByteArray(1, '\0');

namespace {

constexpr quint16 Unused = 0xFFFF;

class DefaultWriter
{
public:
    explicit DefaultWriter(bool high) : m_high(high) {}

    // Consecutive words from `first`, the same in both ranges.
    void put(int first, std::initializer_list<quint16> values)
    {
        for (quint16 v : values)
            G.CommittedImage[first++] = v;
    }
    // Consecutive words from `first`, H values and L values.
    void put(int first, std::initializer_list<quint16> h, std::initializer_list<quint16> l)
    {
        put(first, m_high ? h : l);
    }
    // Words first..last with one value.
    void run(int first, int last, quint16 value)
    {
        for (int w = first; w <= last; ++w)
            G.CommittedImage[w] = value;
    }
    // Text bytes, two per word, the first in the high byte; an odd count leaves the
    // low byte of the last word 0.
    void text(int first, const QByteArray &bytes)
    {
        for (qsizetype i = 0; i < bytes.size(); i += 2) {
            const quint8 high = quint8(bytes[i]);
            const quint8 low = i + 1 < bytes.size() ? quint8(bytes[i + 1]) : 0;
            G.CommittedImage[first + i / 2] = quint16((high << 8) | low);
        }
    }

private:
    bool m_high;
};

QByteArray logoLine1()
{
    QByteArray line = "   KRT-Power    ";
    QByteArray brand = toWin1252(G.BrandText.isEmpty() ? QStringLiteral("KRT Power") : G.BrandText);
    brand.truncate(16);
    const int start = (16 - int(brand.size())) / 2; // 0-based form of "(16 - n) div 2 + 1"
    line.replace(start, brand.size(), brand);
    return line;
}

QByteArray padded(const QByteArray &text, int length)
{
    return text + QByteArray(length - text.size(), ' ');
}

} // namespace

void SetNewProjectDefaults()
{
    DefaultWriter d(G.VoltageRange == 1);

    // Everything the program does not use; the words 642, 643 and 900..959 are not
    // written at all.
    d.run(0, 641, Unused);
    d.run(644, 899, Unused);
    d.run(960, 1023, Unused);

    // Thresholds, hystereses, shunts
    d.put(1, {972, 1296, 1242, 972, 1296, 972, 1296}, {432, 576, 456, 432, 576, 432, 576});
    d.put(8, {500, 500, 5, 5, 5, 1, 500, 1});
    d.put(16, {25});
    d.put(20, {50, 50, 50, 0});
    d.put(26, {0});
    // Temperature compensation, temperatures, delays, mains monitor
    d.put(40, {0xFFFE, 600, 0});
    d.put(49, {Unused, 600, 5, 3, 10, 10, 10, 10});
    d.put(57, {3, 15, 15, 7, 1, 1});
    d.put(65, {0, Unused});
    d.put(69, {1, 54, 27, 0}, {1, 24, 12, 0});
    d.put(73, {50, 1});
    // Language, devices, charging current
    d.put(79, {0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 300, 200, 300, 300, 0, 0, 0, 0});
    d.put(100, {1226, 1294, 956, 500}, {545, 575, 425, 500});
    d.put(110, {230});
    d.run(120, 136, 5);
    // Signal matrix
    d.run(180, 213, 0);
    d.run(218, 251, 0);
    d.put(227, {3});
    d.put(229, {3});
    // Logo lines and measurement labels (the word after each label stays unused)
    d.text(256, logoLine1());
    d.text(264, " KRT-6 V2.5x    ");
    d.text(281, "ZA Vdc1:");
    d.text(286, "ZA Vdc2:");
    d.text(291, "ZA Vdc3:");
    d.text(301, "ZA Idc1:");
    d.text(306, "ZA Idc2:");
    d.text(311, "ZA Idc3:");
    d.put(320, {0});
    // Input names of the unit and of the KRT-5 board
    for (int n = 1; n <= 8; ++n) {
        d.text(321 + 8 * (n - 1), padded("Input" + QByteArray::number(n), 16));
        d.text(385 + 8 * (n - 1), padded("I/O-Input" + QByteArray::number(n), 16));
    }
    d.run(449, 452, 0);
    // Battery test, delays, masks, insulation, load limit
    d.put(453, {0, 1800, 0, 1, 1, 0, 0, 50}, {0, 400, 0, 1, 1, 0, 0, 50});
    d.put(461, {80, 240, 0, 0, 50, 50});
    d.put(467, {1, 10, 10, 10, 300, 4092, 255, 0});
    d.put(475, {0, 60, 0, 100, 60});
    d.text(480, QByteArrayLiteral("AT AT%O AT&F %dATX3E0L1S0=0") + QByteArray(1, '\0'));
    d.run(494, 499, 0);
    // Thyristor control, IP address, bus address
    d.put(500, {1000, 500, 0, 0});
    d.text(504, DefaultIpAddressText);
    d.put(510, {0});
    d.put(512, {16});
    // Boost charge, manual charge, counter cells
    d.put(529, {4, 0, 0, 20, 20, 0, 432, 1800});
    d.put(537, {900, 1279, 0, 5, 5, 5, 10}, {900, 560, 0, 5, 5, 5, 10});
    d.put(545, {1300, 1286, 1320, 1296, 1}, {600, 585, 610, 595, 1});
    d.put(551, {0});
    d.put(553, {35, 600});
    d.put(556, {2700}, {650});
    d.put(557, {quint16(G.CommittedImage[NominalCurrent] * 8 / 10), 0}); // 80 % of the rated current
    d.run(562, 569, 0);
    // System test
    d.put(571, {0, 0});
    d.put(574, {600, 1800, 2700, 500, 0}, {600, 400, 650, 500, 0});
    // Optional boards, current distribution, efficiency management, display
    d.put(617, {0, 0, 255});
    d.run(620, 627, 0);
    d.put(628, {10, 5, 0, 1, 60});
    d.put(640, {100, 0});
    d.put(644, {1, 0});
    // Voltage range, firmware version, serial number, DIN rail
    d.put(VoltageVariant, {G.VoltageRange});
    d.put(FirmwareVersion, {0});
    d.text(SerialNumber, "JJ000000-000.000");
    d.put(1001, {0});
    d.put(DinRailVersion, {Unused});

    G.ParamImage = G.CommittedImage;
    G.ReferenceImage = G.CommittedImage;
    G.SignalMatrixConverted = false;
    G.ProjectOpen = true;
    G.CellCount = G.ParamImage[BatteryCellCount];
    G.ImageModified = false;
}
