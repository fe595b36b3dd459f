// Thresholds, Devices, Battery and Charging pages, worked as a user would: round trips, typed,
// stepped and filled fields (a few of the other kit pages' too), the charging-current questions
// across pages 5 and 10, the defaults of old data, and the cell-count change that scales the
// voltages of the other pages.

#include "charset.h"
#include "filedialogs.h"
#include "page.h"
#include "pagekit.h"
#include "pagetest.h"

#include <QAction>
#include <QFile>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class TestThresholdPages : public PageTest
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void init()
    {
        openWindow();
        G.CellCount = 24;
    }
    void cleanup() { closeWindow(); }

    // Typed, then Tab or a spin click; typed over from the start; or words (the cell count, the
    // voltage range) set and the page refilled, after a fill with 5 inverters, 5 redundant:
    // "page|field|typed or words|exit/up/down/none/over/fill|shown|partner=text|word=stored|
    // message|words set before the page is entered"; a spin row with nothing typed steps the
    // filled text (values beyond what the field lets the user type).
    void typed_data()
    {
        QTest::addColumn<QString>("row");
        // clang-format off
        for (const char *row : {
                 "4|me_templow|-0.1|exit|-0.1||49=65535", "4|me_templow|5-|exit|5.0||49=50",
                 "4|ed_U1maxCe|2a.3|none|2.3|me_U1max=55.20|", "4|ed_U1maxCe|2.3|exit|2.30|me_U1max=55.2|2=552",
                 "4|me_U1max|95|exit|80.0|ed_U1maxCe=3.33|", "4|ed_u1min_verz|0|exit|1||",
                 "4|ed_u1min_verz|1|down|0||53=0",
                 "4|ed_hystMax_I1|10|up|0|ed_hystMax_I3=0|", "5|ed_nomVoltCe|2.30|none|2.30|em_nom_volt=55.2|100=552",
                 "5|ed_red_anz_WR_UNV|7|none|5||", "5|ed_red_anz_WR_UNV|5|up|0||",
                 "5|ed_red_anz_GR_PSS|9|exit|4||", "5|em_nom_curr|4|exit|5.0||103=50",
                 "5|ed_thyrvoltage|0.25|none|0.25||500=2", "10|em_sysTest_Vmax|10|exit|20.0|ed_STest_Vmax=0.83|",
                 "10|ed_MCh_SollW_IGR|40|exit|40.0||557=400", "10|ed_LadeNachLauf|600|exit|600||536=36000",
                 "10|ed_boostcurstart|3000|exit|3000||502=30000", "9|ed_cell_count|300|exit|220||70=220",
                 "9|em_Tk|0|up|-6||40=65530", "9|em_Tkmin|-|exit|0||", "9|em_Tkmin|-25|exit|-20.0||42=65336",
                 "9|em_Tkmin|-5.5|exit|-5.5||42=65481", "9|em_ch_factor|1.5|exit|1.50||640=150",
                 "9|em_max_duration|0400|exit|04:00||462=240", "9|em_max_duration|2500|exit|00:00||462=0|Ungültige Zeitangabe",
                 "9|em_max_duration|0530|over|05:30||462=330", "4|ed_U1maxCe|range=1 2=2991|fill|12.46||2=2991",
                 "5|ed_nomVoltCe|cells=4 100=480|fill|12.00||", "10|ed_STest_Vmax|range=1 cells=1 576=3000|fill|300.00||",
                 "4|ed_u3max_verz|52=3600|fill|3600|ed_u2max_verz=3600|52=3600", "2|rg_B1_Idc3|0=0|fill|1||",
                 "5|ed_red_anz_WR_UNV|82=3|fill|3||88=3", "9|em_Tkmin|42=32768|fill|-3276.8||42=32768",
                 "6|ed_K13_verz|300|up|1||", "7|ed_Shuffle|10|down|3600||632=3600", "11|me_CountCell2_on|85|exit|80.0||",
                 "12|ed_Vgr|20|up|5||", "12|ed_Vgr|1a-.2|none|12||",
                 // Limits at their edges, pages 2, 3, 6, 7, 11 and 12.
                 "2|ed_shunt_idc1|3001|exit|3000||20=3000", "2|ed_shunt_idc2|3001|exit|3000||21=3000",
                 "2|ed_shunt_idc3|3001|exit|3000||22=3000", "2|ed_shunt_idc3|3000|exit|3000||22=3000",
                 "2|ed_shunt_idc1|2999|up|3000||20=3000", "2|ed_shunt_idc2|3000|up|0||21=0",
                 "2|ed_shunt_idc3|1|down|0||22=0", "2|ed_shunt_idc2|0|down|3000||21=3000",
                 "3|ed_dig_inp1_verz|251|exit|250||562=250", "3|ed_dig_inp2_verz|251|exit|250||563=250",
                 "3|ed_dig_inp3_verz|251|exit|250||564=250", "3|ed_dig_inp4_verz|251|exit|250||565=250",
                 "3|ed_dig_inp5_verz|251|exit|250||566=250", "3|ed_dig_inp6_verz|251|exit|250||567=250",
                 "3|ed_dig_inp7_verz|251|exit|250||568=250", "3|ed_dig_inp8_verz|251|exit|250||569=250",
                 "3|ed_rk1_inp1_verz|251|exit|250||620=250||617=1",
                 "3|ed_rk1_inp2_verz|251|exit|250||621=250||617=1",
                 "3|ed_rk1_inp3_verz|251|exit|250||622=250||617=1",
                 "3|ed_rk1_inp4_verz|251|exit|250||623=250||617=1",
                 "3|ed_rk1_inp5_verz|251|exit|250||624=250||617=1",
                 "3|ed_rk1_inp6_verz|251|exit|250||625=250||617=1",
                 "3|ed_rk1_inp7_verz|251|exit|250||626=250||617=1",
                 "3|ed_rk1_inp8_verz|251|exit|250||627=250||617=1", "3|ed_dig_inp1_verz|250|exit|250||562=250",
                 "3|ed_rk1_inp8_verz|250|exit|250||627=250||617=1", "3|ed_dig_inp3_verz|249|up|250||564=250",
                 "3|ed_rk1_inp2_verz|250|up|0||621=0||617=1", "3|ed_dig_inp8_verz|1|down|0||569=0",
                 "3|ed_rk1_inp5_verz|0|down|250||624=250||617=1", "6|ed_alarmA|301|exit|300||122=300",
                 "6|ed_alarmB|301|exit|300||123=300", "6|ed_LED_S1|301|exit|300||120=300",
                 "6|ed_LED_S2|301|exit|300||121=300", "6|ed_rel_K1|301|exit|300||124=300",
                 "6|ed_rel_K2|301|exit|300||125=300", "6|ed_K11_verz|301|exit|300||126=300",
                 "6|ed_K11_verz|0|exit|1||126=1", "6|ed_K12_verz|301|exit|300||127=300",
                 "6|ed_K12_verz|0|exit|1||127=1", "6|ed_K13_verz|301|exit|300||128=300",
                 "6|ed_K13_verz|0|exit|1||128=1", "6|ed_K14_verz|301|exit|300||129=300",
                 "6|ed_K14_verz|0|exit|1||129=1", "6|ed_K15_verz|301|exit|300||130=300",
                 "6|ed_K15_verz|0|exit|1||130=1", "6|ed_K16_verz|301|exit|300||131=300",
                 "6|ed_K16_verz|0|exit|1||131=1", "6|ed_K17_verz|301|exit|300||132=300",
                 "6|ed_K17_verz|0|exit|1||132=1", "6|ed_K18_verz|301|exit|300||133=300",
                 "6|ed_K18_verz|0|exit|1||133=1", "6|ed_alarmA|300|exit|300||122=300",
                 "6|ed_K18_verz|300|exit|300||133=300", "6|ed_K11_verz|1|exit|1||126=1",
                 "6|ed_LED_S1|299|up|300||120=300", "6|ed_alarmA|300|up|0||122=0", "6|ed_rel_K2|1|down|0||125=0",
                 "6|ed_alarmB|0|down|300||123=300", "6|ed_K12_verz|299|up|300||127=300",
                 "6|ed_K15_verz|2|down|1||130=1", "6|ed_K17_verz|1|down|300||132=300",
                 "7|ed_MB_Addr|32|exit|31||512=31", "7|ed_MB_Addr|15|exit|16||512=16",
                 "7|ed_MB_Addr|30|up|31||512=31", "7|ed_MB_Addr|31|up|16||512=16", "7|ed_MB_Addr|17|down|16||512=16",
                 "7|ed_MB_Addr|16|down|31||512=31", "7|ed_MenueItem|18|exit|17||644=17",
                 "7|ed_MenueItem|0|exit|1||644=1", "7|ed_MenueItem|16|up|17||644=17", "7|ed_MenueItem|17|up|1||644=1",
                 "7|ed_MenueItem|2|down|1||644=1", "7|ed_MenueItem|1|down|17||644=17",
                 "7|ed_RecOff|17|exit|16||645=16", "7|ed_RecOff|-1|exit|0||645=0", "7|ed_RecOff|15|up|16||645=16",
                 "7|ed_RecOff|16|up|0||645=0", "7|ed_RecOff|1|down|0||645=0", "7|ed_RecOff|0|down|16||645=16",
                 "7|ed_MinRecs|33|exit|32||631=32", "7|ed_MinRecs|0|exit|1||631=1", "7|ed_MinRecs|31|up|32||631=32",
                 "7|ed_MinRecs|32|up|1||631=1", "7|ed_MinRecs|2|down|1||631=1", "7|ed_MinRecs|1|down|32||631=32",
                 "7|ed_MB_Addr|31|exit|31||512=31", "7|ed_MB_Addr|16|exit|16||512=16",
                 "7|ed_Shuffle|9|exit|10||632=10", "7|ed_Shuffle|10|exit|10||632=10",
                 "7|ed_Shuffle|11|down|10||632=10", "7|ed_Shuffle||over|3600||632=3600||632=3601",
                 "7|ed_Shuffle||over|3600||632=3600||632=3600", "11|me_CountCell1_on|80.1|exit|80.0||545=800",
                 "11|me_CountCell1_on|300.1|exit|300.0||545=3000||range=1",
                 "11|me_CountCell1_off|80.1|exit|80.0||546=800",
                 "11|me_CountCell1_off|300.1|exit|300.0||546=3000||range=1",
                 "11|me_CountCell2_on|80.1|exit|80.0||547=800",
                 "11|me_CountCell2_on|300.1|exit|300.0||547=3000||range=1",
                 "11|me_CountCell2_off|80.1|exit|80.0||548=800",
                 "11|me_CountCell2_off|300.1|exit|300.0||548=3000||range=1",
                 "11|me_CountCell1_off|80|exit|80.0||546=800",
                 "11|me_CountCell2_on|300|exit|300.0||547=3000||range=1",
                 "11|me_CountCell1_on|545=801|fill|80.0||545=800",
                 "11|me_CountCell2_off|range=1 548=3001|fill|300.0||548=3000",
                 "11|me_CountCell1_off|range=1 546=3000|fill|300.0||546=3000", "12|ed_Vgr|21|exit|20||59=20",
                 "12|ed_Vgr|4|exit|5||59=5", "12|ed_Vkl|21|exit|20||58=20", "12|ed_Vkl|4|exit|5||58=5",
                 "12|ed_Vgr|19|up|20||59=20", "12|ed_Vgr|6|down|5||59=5", "12|ed_Vgr|5|down|20||59=20",
                 "12|ed_Vkl|19|up|20||58=20", "12|ed_Vkl|20|up|5||58=5", "12|ed_Vkl|6|down|5||58=5",
                 "12|ed_Vkl|5|down|20||58=20", "12|ed_Vdelay|3601|exit|3600||468=3600",
                 "12|ed_Vdelay|3600|exit|3600||468=3600", "12|ed_Vdelay|3599|up|3600||468=3600",
                 "12|ed_Vdelay|3600|up|0||468=0", "12|ed_Vdelay|1|down|0||468=0",
                 "2|ed_shunt_idc1|20=3001|fill|3001||20=3001", "3|ed_dig_inp2_verz|563=251|fill|251||563=251",
                 "6|ed_alarmB|123=301|fill|301||123=301", "7|ed_Shuffle|632=3601|fill|3601||632=3601",
                 "12|ed_Vdelay|0|down|3600||468=3600", "12|ed_Vdelay|468=3601|fill|3601||468=3601",
                 "7|ed_Shuffle||up|3600||632=3600||632=3599", "7|ed_Shuffle||up|10||632=10||632=3600",
                 // Limits at their edges, pages 4 and 5.
                 "4|me_U1max|80.1|exit|80.0|ed_U1maxCe=3.33|2=800",
                 "4|me_u1_warn|300.1|exit|300.0|ed_u1_warnCe=12.50|3=3000||range=1",
                 "4|me_udc1min|80.1|exit|80.0||1=800", "4|me_U2max|300.1|exit|300.0||5=3000||range=1",
                 "4|me_udc2min|80.1|exit|80.0||4=800||range=65535", "4|me_U3max|300.1|exit|300.0||7=3000||range=1",
                 "4|me_udc3min|80.1|exit|80.0||6=800", "4|me_U3max|80|exit|80.0|ed_U3maxCe=3.33|7=800",
                 "4|me_udc1min|300|exit|300.0||1=3000||range=1",
                 "4|ed_U1maxCe|3.01|exit|3.00|me_U1max=300.0|2=3000||range=1 cells=100",
                 "4|ed_u1_warnCe|4.01|exit|4.00|me_u1_warn=80.0|3=800||cells=20",
                 "4|ed_udc1minCe|3.01|exit|3.00|me_udc1min=300.0|1=3000||range=1 cells=100",
                 "4|ed_U2maxCe|4.01|exit|4.00|me_U2max=80.0|5=800||cells=20",
                 "4|ed_udc2minCe|3.01|exit|3.00|me_udc2min=300.0|4=3000||range=1 cells=100",
                 "4|ed_U3maxCe|4.01|exit|4.00|me_U3max=80.0|7=800||cells=20",
                 "4|ed_udc3minCe|3.01|exit|3.00|me_udc3min=300.0|6=3000||range=1 cells=100",
                 "4|ed_udc2minCe|4.00|exit|4.00|me_udc2min=80.0|4=800||cells=20", "4|me_U3max|7=801|fill|80.0||7=800",
                 "4|me_udc3min|range=1 6=3001|fill|300.0|ed_udc3minCe=12.50|6=3000",
                 "4|me_I1max|3000.1|exit|3000.0||8=30000", "4|me_I2max|3000.1|exit|3000.0||9=30000||range=1",
                 "4|me_I3max|3000|exit|3000.0||14=30000", "4|me_I3max|3000.1|exit|3000.0||14=30000",
                 "4|me_templow|-40.1|exit|-40.0||49=65136", "4|me_templow|-40|exit|-40.0||49=65136",
                 "4|me_templow|60.1|exit|60.0||49=600", "4|me_temp|100|exit|99.9||50=999",
                 "4|me_temp|99.9|exit|99.9||50=999", "4|me_temp|19.9|exit|20.0||50=200",
                 "4|me_battery|300|exit|300.0||91=3000", "4|me_battery|300.1|exit|300.0||91=3000||range=1",
                 "4|me_battery|91=3001|fill|300.0||91=3000", "4|ed_u1max_verz|301|exit|300||52=300",
                 "4|ed_u1max_verz|299|up|300|ed_u2max_verz=300|52=300",
                 "4|ed_u1max_verz|300|up|0|ed_u3max_verz=0|52=0", "4|ed_u1max_verz|1|down|0|ed_u2max_verz=0|52=0",
                 "4|ed_u1max_verz|0|down|300|ed_u3max_verz=300|52=300", "4|ed_hystMaxU1|21|exit|20||13=20",
                 "4|ed_hystMaxU1|20|up|0|ed_hystMaxU3=0|13=0", "4|ed_hystMaxU1|0|down|20|ed_hystMaxU2=20|13=20",
                 "4|ed_u1min_verz|301|exit|300||53=300", "4|ed_u1min_verz|299|up|300||53=300",
                 "4|ed_u1min_verz|300|up|0||53=0", "4|ed_u1min_verz|0|down|300||53=300",
                 "4|ed_hystMinU1|21|exit|20||10=20", "4|ed_hystMinU1|19|up|20||10=20", "4|ed_hystMinU1|20|up|0||10=0",
                 "4|ed_hystMinU1|0|down|20||10=20", "4|ed_u2min_verz|301|exit|300||54=300",
                 "4|ed_u2min_verz|300|up|0||54=0", "4|ed_u2min_verz|0|down|300||54=300",
                 "4|ed_hystMinU2|21|exit|20||11=20", "4|ed_hystMinU2|20|up|0||11=0", "4|ed_hystMinU2|0|down|20||11=20",
                 "4|ed_u3min_verz|301|exit|300||55=300", "4|ed_u3min_verz|300|up|0||55=0",
                 "4|ed_u3min_verz|0|down|300||55=300", "4|ed_hystMinU3|21|exit|20||12=20",
                 "4|ed_hystMinU3|20|up|0||12=0", "4|ed_hystMinU3|0|down|20||12=20",
                 "4|ed_I1max_verz|301|exit|300||57=300", "4|ed_I1max_verz|300|up|0|ed_I2max_verz=0|57=0",
                 "4|ed_I1max_verz|0|down|300|ed_I3max_verz=300|57=300", "4|ed_hystMax_I1|11|exit|10||15=10",
                 "4|ed_hystMax_I1|9|up|10|ed_hystMax_I2=10|15=10", "4|ed_hystMax_I1|0|down|10|ed_hystMax_I3=10|15=10",
                 "4|ed_temp_del|301|exit|300||469=300", "4|ed_temp_del|300|up|0||469=0",
                 "4|ed_temp_del|0|down|300||469=300", "4|ed_hysTemp|21|exit|20||51=20", "4|ed_hysTemp|20|up|0||51=0",
                 "4|ed_hysTemp|0|down|20||51=20", "4|ed_batt_del|301|exit|300||470=300",
                 "4|ed_batt_del|300|up|0||470=0", "4|ed_batt_del|0|down|300||470=300",
                 "4|ed_batt_hys|21|exit|20||540=20", "4|ed_batt_hys|20|up|0||540=0", "4|ed_batt_hys|0|down|20||540=20",
                 "4|ed_riso_err|501|exit|500||476=500", "4|ed_riso_err|9|exit|10||476=10",
                 "4|ed_riso_err|499|up|500||476=500", "4|ed_riso_err|500|up|10||476=10",
                 "4|ed_riso_err|11|down|10||476=10", "4|ed_riso_err|10|down|500||476=500",
                 "4|ed_riso_err_verz|301|exit|300||56=300", "4|ed_riso_err_verz|300|up|0||56=0",
                 "4|ed_riso_err_verz|0|down|300||56=300", "4|ed_riso_hys|21|exit|20||542=20",
                 "4|ed_riso_hys|20|up|0||542=0", "4|ed_riso_hys|0|down|20||542=20",
                 "5|em_nom_volt|80.1|exit|80.0|ed_nomVoltCe=3.33|100=800||range=65535",
                 "5|em_batt_test|300.1|exit|300.0|ed_battTestCe=12.50|102=3000||range=1",
                 "5|em_stark_ldg|80.1|exit|80.0||101=800", "5|em_nom_volt|300|exit|300.0||100=3000||range=1",
                 "5|ed_nomVoltCe|3.01|exit|3.00|em_nom_volt=300.0|100=3000||range=1 cells=100",
                 "5|ed_battTestCe|4.01|exit|4.00|em_batt_test=80.0|102=800||cells=20",
                 "5|ed_starkLdgCe|3.01|exit|3.00|em_stark_ldg=300.0|101=3000||range=1 cells=100",
                 "5|em_stark_ldg|101=801|fill|80.0|ed_starkLdgCe=3.33|101=800",
                 "5|em_batt_test|range=1 102=3001|fill|300.0||102=3000",
                 "5|em_nom_curr|103=30001|fill|3000.0||103=30000", "5|em_nom_curr|103=49|fill|5.0||103=50",
                 "5|em_nom_curr|3000.1|exit|3000.0||103=30000||557=24000 577=30000",
                 "5|em_nom_curr|4.9|exit|5.0||103=50||557=40 577=50",
                 "5|em_nom_curr|45|exit|45.0||103=450||557=360 577=450",
                 "5|em_nom_curr|45.1|exit|45.1||103=451||557=360 577=450",
                 "5|em_nom_curr|60|exit|60.0||103=600||557=480 577=0", "5|ed_thyrvoltage|400.1|exit|400.0||500=4000",
                 "5|ed_thyrvoltage|400|exit|400.0||500=4000", "5|ed_thyrcurrent|3000.1|exit|3000.0||501=30000",
                 "5|ed_anz_GR_PSS|33|exit|32||81=32", "5|ed_anz_GR_PSS|31|up|32||81=32",
                 "5|ed_anz_GR_PSS|32|up|0||81=0", "5|ed_anz_GR_PSS|0|down|32||81=32",
                 "5|ed_red_anz_GR_PSS|33|exit|32||87=32||81=32", "5|ed_red_anz_GR_PSS|3|up|4||87=4",
                 "5|ed_red_anz_GR_PSS|4|up|0||87=0", "5|ed_red_anz_GR_PSS|0|down|4||87=4",
                 "5|ed_anz_WR_UNV|17|exit|16||82=16", "5|ed_anz_WR_UNV|16|up|0||82=0",
                 "5|ed_anz_WR_UNV|0|down|16||82=16", "5|ed_red_anz_WR_UNV|4|up|5||88=5",
                 "5|ed_red_anz_WR_UNV|0|down|5||88=5", "5|ed_thyrcount|3|exit|2||510=2",
                 "5|ed_thyrcount|1|up|2||510=2", "5|ed_thyrcount|2|up|0||510=0", "5|ed_thyrcount|0|down|2||510=2",
                 "5|ed_UNVnom||over|250||110=250||110=251", "5|ed_UNVnom||over|200||110=200||110=199",
                 "5|ed_UNVnom||down|250||110=250", "5|ed_ld_lim||over|105||478=105||478=106",
                 "5|ed_ld_lim|0|down|105||478=105", "5|ed_ld_lim|1|down|0||478=0",
                 "5|ed_low_lim_del||over|1800||479=1800||479=1801", "5|ed_low_lim_del|0|down|1800||479=1800",
                 "5|ed_low_lim_del|1|down|0||479=0", "5|ed_ld_currdiff|101|exit|100||628=100",
                 "5|ed_ld_currdiff|100|up|0||628=0", "5|ed_ld_currdiff|0|down|100||628=100",
                 "5|ed_currdistribution|251|exit|250||629=250", "5|ed_currdistribution|249|up|250||629=250",
                 "5|ed_currdistribution|250|up|0||629=0", "5|ed_currdistribution|0|down|250||629=250",
                 "5|ed_ld_lim||up|105||478=105||478=104", "5|ed_ld_lim||up|0||478=0||478=105",
                 "5|ed_low_lim_del||up|1800||479=1800||479=1799", "5|ed_low_lim_del||up|0||479=0||479=1800",
                 "5|ed_UNVnom||up|250||110=250||110=249", "5|ed_UNVnom||up|200||110=200||110=250",
                 // Limits at their edges, pages 9 and 10.
                 "9|ed_cell_count|221|exit|220||70=220", "9|ed_cell_count|3|exit|4||70=4",
                 "9|ed_cell_count|11|exit|12||70=12||range=1", "9|ed_cell_count|221|exit|220||70=220||range=1",
                 "9|ed_cell_count|219|up|220||70=220", "9|ed_cell_count|220|up|4||70=4",
                 "9|ed_cell_count|5|down|4||70=4", "9|ed_cell_count|4|down|220||70=220",
                 "9|ed_cell_count|12|down|11||70=11||range=1", "9|ed_abgriff|221|exit|220||71=220",
                 "9|ed_abgriff|1|exit|2||71=2", "9|ed_abgriff|5|exit|6||71=6||range=1",
                 "9|ed_abgriff|221|exit|220||71=220||range=1", "9|ed_abgriff|219|up|220||71=220",
                 "9|ed_abgriff|220|up|2||71=2", "9|ed_abgriff|3|down|2||71=2", "9|ed_abgriff|2|down|220||71=220",
                 "9|ed_abgriff|6|down|5||71=5||range=1", "9|ed_nenn_capacity1|3001|exit|3000||460=3000",
                 "9|ed_nenn_capacity1|0|exit|1||460=1", "9|ed_nenn_capacity1|2999|up|3000||460=3000",
                 "9|ed_nenn_capacity1|3000|up|1||460=1", "9|ed_nenn_capacity1|2|down|1||460=1",
                 "9|ed_nenn_capacity1|1|down|3000||460=3000", "9|em_lim_ilade1|3000.1|exit|3000.0||90=30000",
                 "9|em_lim_ilade1|9.9|exit|10.0||90=100", "9|em_ch_factor|2.01|exit|2.00||640=200",
                 "9|em_ch_factor|0.99|exit|1.00||640=100", "9|em_vdubatt|10.1|exit|10.0||16=100",
                 "9|em_vdubatt|0.4|exit|0.5||16=5", "9|ed_batt_unsym_del|301|exit|300||543=300",
                 "9|ed_batt_unsym_del|299|up|300||543=300", "9|ed_batt_unsym_del|300|up|0||543=0",
                 "9|ed_batt_unsym_del|1|down|0||543=0", "9|ed_batt_unsym_del|0|down|300||543=300",
                 "9|ed_batt_unsym_hys|11|exit|10||541=10", "9|ed_batt_unsym_hys|9|up|10||541=10",
                 "9|ed_batt_unsym_hys|10|up|0||541=0", "9|ed_batt_unsym_hys|1|down|0||541=0",
                 "9|ed_batt_unsym_hys|0|down|10||541=10", "9|ed_Vrectifierup|251|exit|250||94=250",
                 "9|ed_Vrectifierup|249|up|250||94=250", "9|ed_Vrectifierup|250|up|0||94=0",
                 "9|ed_Vrectifierup|1|down|0||94=0", "9|ed_Vrectifierup|0|down|250||94=250",
                 "9|ed_Vrectifierdown|251|exit|250||95=250", "9|ed_Vrectifierdown|249|up|250||95=250",
                 "9|ed_Vrectifierdown|250|up|0||95=0", "9|ed_Vrectifierdown|1|down|0||95=0",
                 "9|ed_Vrectifierdown|0|down|250||95=250", "9|ed_min_dischargeVolt|79.1|exit|79.0||454=790",
                 "9|ed_min_dischargeVolt|299.1|exit|299.0||454=2990||range=1",
                 "9|ed_min_discharge_cap|101|exit|100||461=100", "9|ed_min_discharge_cap|0|exit|1||461=1",
                 "9|ed_min_discharge_cap|99|up|100||461=100", "9|ed_min_discharge_cap|100|up|1||461=1",
                 "9|ed_min_discharge_cap|2|down|1||461=1", "9|ed_min_discharge_cap|1|down|100||461=100",
                 "9|em_max_duration|2359|exit|23:59||462=1439",
                 "9|em_max_duration|2400|exit|00:00||462=0|Ungültige Zeitangabe",
                 "9|em_max_duration|0059|exit|00:59||462=59",
                 "9|em_max_duration|0060|exit|00:00||462=0|Ungültige Zeitangabe",
                 "9|em_max_duration|2358|up|23:59||462=1439", "9|em_max_duration|2359|up|00:00||462=0",
                 "9|em_max_duration|0001|down|00:00||462=0", "9|em_max_duration|0000|down|23:59||462=1439",
                 "9|Ed_StTeDiInp|17|exit|16||453=16", "9|Ed_StTeDiInp|15|up|16||453=16",
                 "9|Ed_StTeDiInp|16|up|0||453=0", "9|Ed_StTeDiInp|1|down|0||453=0", "9|Ed_StTeDiInp|0|down|16||453=16",
                 "9|ed_jahr|2100|exit|2099||455=99||464=1", "9|ed_jahr|1999|exit|2000||455=0||464=1",
                 "9|ed_jahr|2098|up|2099||455=99||464=1", "9|ed_jahr|2099|up|2000||455=0||464=1",
                 "9|ed_jahr|2001|down|2000||455=0||464=1", "9|ed_jahr|2000|down|2099||455=99||464=1",
                 "9|ed_month|13|exit|12||456=12||464=1", "9|ed_month|0|exit|1||456=1||464=1",
                 "9|ed_month|11|up|12||456=12||464=1", "9|ed_month|12|up|1||456=1||464=1",
                 "9|ed_month|2|down|1||456=1||464=1", "9|ed_month|1|down|12||456=12||464=1",
                 "9|ed_day|32|exit|31||457=31||464=1", "9|ed_day|0|exit|1||457=1||464=1",
                 "9|ed_day|30|up|31||457=31||464=1", "9|ed_day|31|up|1||457=1||464=1",
                 "9|ed_day|2|down|1||457=1||464=1", "9|ed_day|1|down|31||457=31||464=1",
                 "9|ed_hour|24|exit|23||459=23||464=1", "9|ed_hour|22|up|23||459=23||464=1",
                 "9|ed_hour|23|up|0||459=0||464=1", "9|ed_hour|1|down|0||459=0||464=1",
                 "9|ed_hour|0|down|23||459=23||464=1", "9|ed_minute|60|exit|59||458=59||464=1",
                 "9|ed_minute|58|up|59||458=59||464=1", "9|ed_minute|59|up|0||458=0||464=1",
                 "9|ed_minute|1|down|0||458=0||464=1", "9|ed_minute|0|down|59||458=59||464=1",
                 "9|ed_replay_after_day|0|exit|1||467=1", "9|ed_replay_after_day|99|up|100||467=100",
                 "9|ed_replay_after_day|2|down|1||467=1", "9|ed_replay_after_day|1|down|365||467=365",
                 "9|ed_replay_after_day||up|365||467=365||467=364", "9|ed_replay_after_day||up|1||467=1||467=365",
                 "9|em_Tk|-7|exit|-6||40=65530", "9|em_Tk|1|exit|0||40=0", "9|em_Tk|-1|up|0||40=0",
                 "9|em_Tk|-5|down|-6||40=65530", "9|em_Tk|-6|down|0||40=0", "9|em_Tkmin|-20.1|exit|-20.0||42=65336",
                 "9|em_Tkmin|19.1|exit|19.0||42=190", "9|em_Tmax|130.1|exit|130.0||41=1300",
                 "9|em_Tmax|20.9|exit|21.0||41=210", "10|em_AuslSchwelle|80.1|exit|80.0||535=800",
                 "10|em_AuslSchwelle|300.1|exit|300.0||535=3000||range=1",
                 "10|em_NachlSchwelle|80.1|exit|80.0||538=800",
                 "10|em_NachlSchwelle|300.1|exit|300.0||538=3000||range=1",
                 "10|em_MC_Vmax|80.1|exit|80.0|ed_MC_Vmax=3.33|556=800",
                 "10|em_MC_Vmax|300.1|exit|300.0|ed_MC_Vmax=12.50|556=3000||range=1",
                 "10|ed_MC_Vmax|3.34|exit|3.33|em_MC_Vmax=80.0|556=800",
                 "10|ed_MC_Vmax|12.6|exit|12.50|em_MC_Vmax=300.0|556=3000||range=1",
                 "10|em_sysTest_Vmin|79.1|exit|79.0|ed_STest_Vmin=3.29|575=790",
                 "10|em_sysTest_Vmin|299.1|exit|299.0|ed_STest_Vmin=12.46|575=2990||range=1",
                 "10|ed_STest_Vmin|3.29|exit|3.29|em_sysTest_Vmin=79.0|575=790",
                 "10|ed_STest_Vmin|3.30|exit|3.29|em_sysTest_Vmin=79.0|575=790",
                 "10|ed_STest_Vmin|12.5|exit|12.46|em_sysTest_Vmin=299.0|575=2990||range=1",
                 "10|em_sysTest_Vmax|80.1|exit|80.0|ed_STest_Vmax=3.33|576=800",
                 "10|em_sysTest_Vmax|300.1|exit|300.0|ed_STest_Vmax=12.50|576=3000||range=1",
                 "10|em_sysTest_Vmax|19.9|exit|20.0|ed_STest_Vmax=0.83|576=200",
                 "10|em_sysTest_Vmax|19.9|exit|20.0||576=200||range=1",
                 "10|ed_STest_Vmax|3.34|exit|3.33|em_sysTest_Vmax=80.0|576=800",
                 "10|ed_STest_Vmax|0.82|exit|0.83|em_sysTest_Vmax=20.0|576=200",
                 "10|ed_STest_Vmax|12.6|exit|12.50|em_sysTest_Vmax=300.0|576=3000||range=1",
                 "10|ed_del_AuslSchwelle|301|exit|300||532=300", "10|ed_del_AuslSchwelle|299|up|300||532=300",
                 "10|ed_del_AuslSchwelle|300|up|0||532=0", "10|ed_del_AuslSchwelle|1|down|0||532=0",
                 "10|ed_del_AuslSchwelle|0|down|300||532=300", "10|ed_del_NachlSchwelle|301|exit|300||533=300",
                 "10|ed_del_NachlSchwelle|299|up|300||533=300", "10|ed_del_NachlSchwelle|300|up|0||533=0",
                 "10|ed_del_NachlSchwelle|1|down|0||533=0", "10|ed_del_NachlSchwelle|0|down|300||533=300",
                 "10|ed_boostcurstart|3001|exit|3000||502=30000", "10|ed_boostcurstop|3001|exit|3000||503=30000",
                 "10|ed_LadeNachLauf|601|exit|600||536=36000", "10|ed_LadeNachLauf|599|up|600||536=36000",
                 "10|ed_LadeNachLauf|600|up|0||536=0", "10|ed_LadeNachLauf|1|down|0||536=0",
                 "10|ed_LadeNachLauf|0|down|600||536=36000", "10|ed_BBNAusf|301|exit|300||537=18000",
                 "10|ed_BBNAusf|299|up|300||537=18000", "10|ed_BBNAusf|300|up|0||537=0",
                 "10|ed_BBNAusf|1|down|0||537=0", "10|ed_BBNAusf|0|down|300||537=18000",
                 "10|ed_fanDelay|301|exit|300||471=18000", "10|ed_fanDelay|299|up|300||471=18000",
                 "10|ed_fanDelay|300|up|0||471=0", "10|ed_fanDelay|1|down|0||471=0",
                 "10|ed_fanDelay|0|down|300||471=18000", "10|ed_InputNr|17|exit|16||531=16",
                 "10|ed_InputNr|15|up|16||531=16", "10|ed_InputNr|16|up|0||531=0", "10|ed_InputNr|1|down|0||531=0",
                 "10|ed_InputNr|0|down|16||531=16", "10|Ed_BC_Ein|17|exit|16||530=16", "10|Ed_BC_Ein|15|up|16||530=16",
                 "10|Ed_BC_Ein|16|up|0||530=0", "10|Ed_BC_Ein|1|down|0||530=0", "10|Ed_BC_Ein|0|down|16||530=16",
                 "10|Ed_BC_MaxTime|25|exit|24||529=24", "10|Ed_BC_MaxTime|0|exit|1||529=1",
                 "10|Ed_BC_MaxTime|23|up|24||529=24", "10|Ed_BC_MaxTime|24|up|1||529=1",
                 "10|Ed_BC_MaxTime|2|down|1||529=1", "10|Ed_BC_MaxTime|1|down|24||529=24",
                 "10|ed_MCh_SofAbbr|150.1|exit|150.0||553=1500", "10|ed_MCh_AlarmVerz|3601|exit|3600||554=3600",
                 "10|ed_MCh_AlarmVerz|3599|up|3600||554=3600", "10|ed_MCh_AlarmVerz|3600|up|0||554=0",
                 "10|ed_MCh_AlarmVerz|1|down|0||554=0", "10|ed_MCh_AlarmVerz|0|down|3600||554=3600",
                 "10|ed_sysTest_AlarmVerz|3601|exit|3600||574=3600", "10|ed_sysTest_AlarmVerz|3599|up|3600||574=3600",
                 "10|ed_sysTest_AlarmVerz|3600|up|0||574=0", "10|ed_sysTest_AlarmVerz|1|down|0||574=0",
                 "10|ed_sysTest_AlarmVerz|0|down|3600||574=3600", "10|ed_MCh_SollW_IGR|39.9|exit|39.9||557=399",
                 "10|ed_MCh_SollW_IGR|40.1|exit|40.0||557=400|Only maximum 80% off \"Rec.Nominal current\" possible\n\rChange the \"Rec.Nominal current\" value?",
                 "10|ed_MCh_SollW_IGR|40.08|exit|40.1||557=401||103=501",
                 "10|ed_MCh_SollW_IGR|40.1|exit|40.1||557=401|Only maximum 80% off \"Rec.Nominal current\" possible\n\rChange the \"Rec.Nominal current\" value?|103=501",
                 "10|ed_MCh_SollW_IGR|2400.1|exit|2400.0||557=24000||103=65535",
                 "10|ed_sysTest_SollW_IGR|49.9|exit|49.9||577=499", "10|ed_sysTest_SollW_IGR|50.0|exit|50.0||577=500",
                 "10|ed_sysTest_SollW_IGR|50.1|exit|50.0||577=500|Only maximum \"Rec.Nominal current\" possible\n\rChange the \"Rec.Nominal current\" value?",
                 "10|ed_sysTest_SollW_IGR|3000.1|exit|3000.0||577=30000||103=65535",
             })
            QTest::newRow(row) << QString(row);
        // clang-format on
    }
    void typed()
    {
        QFETCH(QString, row);
        const QStringList c = row.split('|');
        const int page = c[0].toInt();
        const auto shown = [this](const QString &n) { // a radio group's chosen item, another's text
            return ctl<QWidget>(n)->property(n.startsWith("rg") ? "itemIndex" : "text").toString();
        };
        const auto apply = [](const QString &words) {
            for (const QString &word : words.split(' ', Qt::SkipEmptyParts)) {
                const QString at = word.section('=', 0, 0);
                (at == "cells"   ? G.CellCount
                 : at == "range" ? G.VoltageRange
                                 : G.ParamImage[at.toInt()]) = quint16(word.section('=', 1).toUInt());
            }
        };
        setWords({{81, 4}, {82, 5}, {88, 5}, {103, 500}, {575, 200}, {576, 300}, {462, 240}, {618, 1}});
        apply(c.value(8));
        clickTab(page);
        if (c[3] == "fill") {
            apply(c[2]);
            w->cmd_CancelClick();
        } else if (!c[2].isEmpty() || (c[3] != "up" && c[3] != "down")) { // else: spun from the filled text
            ctl(c[1])->setFocus();
            c[3] == "over" ? ctl(c[1])->home(false) : type(c[1], "");
            QTest::keyClicks(ctl(c[1]), c[2]);
        }
        if (c[3] == "exit" || c[3] == "over")
            QTest::keyClick(ctl(c[1]), Qt::Key_Tab);
        else if (c[3] != "none" && c[3] != "fill") {
            // The spin button of the page's table; the time field's (stepped by its own handlers)
            // is named after it: sb_max_duration beside em_max_duration.
            const char *named = w->page(page)->fieldKit()->row(c[1].toLatin1())->spin;
            auto *spin = ctl<TSpinButton>(named ? QString(named) : "sb_" + c[1].section('_', 1));
            QVERIFY(spin);
            QTest::mouseClick(c[3] == "up" ? spin->upButton() : spin->downButton(), Qt::LeftButton);
        }
        QCOMPARE(shown(c[1]), c[4]);
        if (!c[5].isEmpty())
            QCOMPARE(shown(c[5].section('=', 0, 0)), c[5].section('=', 1));
        w->CollectCurrentPage(false);
        if (!c[6].isEmpty())
            QCOMPARE(G.ParamImage[c[6].section('=', 0, 0).toInt()], quint16(c[6].section('=', 1).toUInt()));
        QCOMPARE(rec->texts().join(""), c.value(7));
    }

    // A command started in a field leaves it first, as a tab click would: "page|field|typed|shown|
    // word=stored" (the command goes on: closing saves) or "...|shown||message" (refused: it ends).
    void commandLeavesField_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *command :
             {"ctrl+s", "BitBtn_wr_LCtoPC", "ctrl+p", "BitBtn_exit", "close", "closeBehind", "Button_OK"})
            for (const char *row :
                 {"4|me_U1max|95|80.0|2=800", "9|em_max_duration|2500|00:00||Ungültige Zeitangabe",
                  "5|em_nom_curr|45|50.0||Manual charge", "4|ed_batt_hys|||"})
                QTest::addRow("%s, %s", command, row) << QString(command);
    }
    void commandLeavesField()
    {
        QFETCH(QString, command);
        const QStringList c = QString(QTest::currentDataTag()).section(", ", 1).split('|');
        const QString f = dir.filePath(QString::number(qHash(QTest::currentDataTag())));
        FileDialogs::setScript({f + ".zf1"});
        w->reportPrinter()->setOutputFileName(f + ".pdf");
        for (const char *item : {"speichern", "drucken"})
            w->findChild<QAction *>(item)->setEnabled(true);
        setWords({{557, 400}, {577, 500}, {103, 500}});
        clickTab(c[0].toInt());
        type(c[1], c[2]);
        const auto before = std::pair(G.ParamImage, G.CommittedImage);
        const bool refused = c[4].isEmpty();
        const TParamImage &stored = command.endsWith("OK") ? G.ParamImage : G.CommittedImage; // OK collects
        rec->script(refused ? QList<int>{MbNo} : QList<int>{MbYes, MbNo});
        TFrm_CharSet picker(w); // closeBehind: active beside the window when that is closed from outside
        picker.setVisible(command == "closeBehind");
        picker.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), picker.isVisible() ? &picker : (QWidget *)w);
        if (command.startsWith("ctrl"))
            QTest::keyClick(ctl(c[1]), command == "ctrl+s" ? Qt::Key_S : Qt::Key_P, Qt::ControlModifier);
        else if (command.startsWith("close"))
            w->close();
        else
            QTest::mouseClick(ctl<QAbstractButton>(command), Qt::LeftButton);
        FileDialogs::endScript();
        QCOMPARE(ctl(c[1])->text(), c[3]);
        QCOMPARE(QFile::exists(f + ".zf1") || QFile::exists(f + ".pdf"),
                 !refused && !command.contains("wr") && !command.endsWith("OK"));
        if (!refused)
            QCOMPARE(stored[c[4].section('=', 0, 0).toInt()], c[4].section('=', 1).toUShort());
        else {
            QCOMPARE(rec->texts().size(), c.size() - 5);
            QVERIFY(rec->texts().value(0).startsWith(c.value(5)) && w->isVisible() &&
                    std::pair(G.ParamImage, G.CommittedImage) == before);
            QTRY_COMPARE(w->focusWidget(), ctl(c[1]));
        }
    }

    // A changed cell count, answered Yes or No: the per-cell values on pages 4, 5 and 10.
    void cellCountChange_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("perCells");
        QTest::newRow("yes: per cell kept") << int(MbYes) << "1.80 2.00 2.50";
        QTest::newRow("no: totals kept") << int(MbNo) << "3.60 4.00 5.00";
    }
    void cellCountChange()
    {
        QFETCH(int, answer);
        setWords({{70, 24}, {1, 432}, {100, 480}, {576, 600}, {91, 500}});
        clickTab(9);
        type("ed_cell_count", "12");
        rec->script({answer});
        QStringList perCell;
        for (auto [page, field] :
             {std::pair(4, "ed_udc1minCe"), {5, "ed_nomVoltCe"}, {10, "ed_STest_Vmax"}}) {
            clickTab(page);
            perCell << ctl(field)->text();
        }
        QTEST(perCell.join(' '), "perCells");
        QCOMPARE(rec->texts(),
                 QStringList{"Cell count changed, update all absolute voltage data ? \r\n If not, "
                             "all absolute cell data are changing ! "});
        QCOMPARE(G.ParamImage[1], quint16(answer == MbYes ? 216 : 432));
        QCOMPARE(G.ParamImage[70], quint16(12));
        QCOMPARE(G.ParamImage[91], quint16(500));
        clickTab(9);
        clickTab(4);
        QCOMPARE(rec->texts().size(), 1); // asked once
    }

    // Lowering the nominal current below a charging current of page 10: the question,
    // its help context, the field that gets the focus, and the words afterwards.
    void nominalCurrentQuestions_data()
    {
        QTest::addColumn<WordValues>("image");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("helpAndFocus");
        QTest::addColumn<WordValues>("after");
        const QString manual("Manual charge Max. charging current:%1 > maximum(80% Rec.Nominal current)\n\r");
        const QString sysTest("System test Max. charging current:50.0 > maximum(Rec.Nominal current)\n\r");
        QTest::newRow("combined, yes")
            << WordValues{{557, 400}, {577, 500}} << "45" << int(MbYes)
            << manual.arg("40.0") + sysTest +
                   "Do you want to change the \"Manual\" current on 36.0 A and "
                   "\"Systemtest\" on 45.0 A ?"
            << "28 ed_MCh_SollW_IGR" << WordValues{{557, 360}, {577, 450}, {103, 450}};
        QTest::newRow("manual, no") << WordValues{{557, 500}, {577, 500}} << "60" << int(MbNo)
                                    << manual.arg("50.0") +
                                           "Do you want to change the \"Manual\" current on 48.0 A ?"
                                    << "28 em_nom_curr" << WordValues{{557, 500}, {103, 500}};
        QTest::newRow("system test, yes")
            << WordValues{{557, 100}, {577, 500}} << "45" << int(MbYes)
            << sysTest + "Do you want to change the \"System\" current on 45.0 A ?"
            << "29 ed_sysTest_SollW_IGR" << WordValues{{557, 100}, {577, 450}};
        // One step past each threshold (exactly at it, nothing is asked: the typed rows).
        QTest::newRow("combined, 0.1 A below both, no")
            << WordValues{{557, 360}, {577, 450}} << "44.9" << int(MbNo)
            << manual.arg("36.0") +
                   "System test Max. charging current:45.0 > maximum(Rec.Nominal current)\n\r"
                   "Do you want to change the \"Manual\" current on 35.9 A and \"Systemtest\" on 44.9 A ?"
            << "28 em_nom_curr" << WordValues{{557, 360}, {577, 450}, {103, 500}};
        QTest::newRow("manual, 0.1 A below, no")
            << WordValues{{557, 480}, {577, 0}} << "59.9" << int(MbNo)
            << manual.arg("48.0") + "Do you want to change the \"Manual\" current on 47.9 A ?" << "28 em_nom_curr"
            << WordValues{{557, 480}, {577, 0}, {103, 500}};
        QTest::newRow("system test, 0.1 A below, no")
            << WordValues{{557, 0}, {577, 450}} << "44.9" << int(MbNo)
            << "System test Max. charging current:45.0 > maximum(Rec.Nominal current)\n\r"
               "Do you want to change the \"System\" current on 44.9 A ?"
            << "29 em_nom_curr" << WordValues{{557, 0}, {577, 450}, {103, 500}};
    }
    void nominalCurrentQuestions()
    {
        QFETCH(WordValues, image);
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QString, helpAndFocus);
        setWords(image);
        G.ParamImage[103] = 500;
        clickTab(5);
        type("em_nom_curr", typed);
        rec->script({answer});
        QTest::keyClick(ctl("em_nom_curr"), Qt::Key_Tab);
        QTEST(rec->texts().value(0), "question");
        QCOMPARE(rec->requests().at(0).helpContext, helpAndFocus.section(' ', 0, 0).toInt());
        QTRY_VERIFY(ctl(helpAndFocus.section(' ', 1))->hasFocus());
        QCOMPARE(w->shownPageNumber(), answer == MbYes ? 10 : 5);
        QCOMPARE(ctl("em_nom_curr")->text(), answer == MbYes ? typed + ".0" : QStringLiteral("50.0"));
        QFETCH(WordValues, after);
        for (auto [word, value] : after)
            QCOMPARE(G.ParamImage[word], quint16(value));
        if (answer == MbYes)
            QCOMPARE(ctl("ed_sysTest_SollW_IGR")->text(), QString::number(G.ParamImage[577] / 10.0, 'f', 1));
    }

    // A charging current above its share is lowered; Yes takes the user to page 5.
    void chargingCurrentRule()
    {
        G.ParamImage[103] = 500;
        clickTab(10);
        type("ed_sysTest_SollW_IGR", "60");
        rec->script({MbYes});
        clickTab(9); // the exit's question ends the switch to page 9
        QCOMPARE(ctl("ed_sysTest_SollW_IGR")->text(), QStringLiteral("50.0"));
        QCOMPARE(rec->requests().at(0).helpContext, 19);
        QCOMPARE(w->shownPageNumber(), 5);
        QTRY_VERIFY(ctl("em_nom_curr")->hasFocus());
    }

    // Old data: the defaults on aqua, already in the image; current data: normal colours.
    void oldData()
    {
        G.WriteAccepted = false;
        setWords({{618, 0xFFFF}, {477, 1}, {8, 7}, {529, 9}});
        for (int page : {4, 5, 10})
            w->page(page)->fill();
        const WordValues defaults{{8, 500},    {9, 500},   {14, 500},   {57, 3},     {15, 10},      {510, 0},
                                  {628, 10},   {629, 5},   {500, 1000}, {501, 1000}, {618, 0xFFFE}, {477, 0},
                                  {502, 2500}, {503, 300}, {530, 0},    {529, 4}};
        for (auto [word, value] : defaults)
            QCOMPARE(G.ParamImage[word], quint16(value));
        for (const char *name : {"me_I1max", "ed_I3max_verz", "ed_hystMax_I2", "ed_thyrcount", "Panel69",
                                 "Panel68", "ed_thyrcurrent", "ed_boostcurstop", "Ed_BC_MaxTime"})
            QVERIFY2(hasAquaBackground(ctl<QWidget>(name)), name);
        QVERIFY(!hasAquaBackground(ctl<QWidget>("Panel2")));
        G.WriteAccepted = true;
        clickTab(4);
        QCOMPARE(ctl("me_I1max")->text(), QStringLiteral("50.0"));
        QVERIFY(!hasAquaBackground(ctl<QWidget>("me_I1max")));
        clickTab(5); // the relay board's group on page 6 follows its buttons at once
        QVERIFY(ctl<QWidget>("GroupBox7")->isHidden());
        clickBox(ctl<QRadioButton>("rb_KRT4_ja"));
        QVERIFY(!ctl<QWidget>("GroupBox7")->isHidden());
        clickTab(6);
        QCOMPARE(G.ParamImage[618], quint16(0xFFFF));
    }
};

QTEST_MAIN(TestThresholdPages)
#include "tst_thresholdpages.moc"
