#include "templates.h"

#include <QCoreApplication>

#include "rules.h"

namespace {

// The elevon mix rates as the page labels them: 副翼1 (elevon[1]) is the
// aileron stick into CH1, 副翼2 (elevon[2]) aileron into CH2, 升降2
// (elevon[3]) elevator into CH2, 升降1 (elevon[4]) elevator into CH1.
// The V-tail rates: 升降1 (vtail[1]) elevator into CH2, 升降2 (vtail[2])
// elevator into CH4, 尾舵2 (vtail[3]) rudder into CH4, 尾舵1 (vtail[4])
// rudder into CH2. The factory rates have exactly the signs below.

// Low rate for the switch DOWN: gentle for take-off and landing.
constexpr int kLowRate = 70;

QVector<TemplateSetting> dualRate(const QVector<int> &channels)
{
    QVector<TemplateSetting> s;
    s.append({Field::drMix, 0, 1, QT_TRANSLATE_NOOP("Templates", "大小舵打开，SWA 开关切换大舵和小舵")});
    s.append({Field::drSwitch, 0, 0, QT_TRANSLATE_NOOP("Templates", "大小舵用 SWA 开关")});
    for (int ch : channels) {
        s.append({Field::drRateUp, ch, 100, QT_TRANSLATE_NOOP("Templates", "开关上档：大舵，全行程 100%")});
        s.append({Field::drRateDown, ch, kLowRate,
                  QT_TRANSLATE_NOOP("Templates", "开关下档：小舵 70%，动作柔和，适合起飞、降落和初飞")});
    }
    return s;
}

QVector<TemplateSetting> planeSurfaces()
{
    return {
        {Field::reverse, 1, 0,
         QT_TRANSLATE_NOOP("Templates", "CH1 副翼正相：向右压副翼，右副翼向上、左副翼向下（一根 Y 线接两个舵机）")},
        {Field::reverse, 2, 0, QT_TRANSLATE_NOOP("Templates", "CH2 升降舵正相：拉杆，升降舵后缘向上")},
        {Field::reverse, 4, 0, QT_TRANSLATE_NOOP("Templates", "CH4 方向舵正相：向右打方向舵，方向舵后缘向右")},
    };
}

QVector<TemplateSetting> endPoints(const QVector<int> &channels)
{
    QVector<TemplateSetting> s;
    for (int ch : channels) {
        s.append({Field::epaLeft, ch, 100,
                  QT_TRANSLATE_NOOP("Templates", "混控的两路共用这个舵机的行程：100% 让两路同时打满时用足舵机行程")});
        s.append({Field::epaRight, ch, 100,
                  QT_TRANSLATE_NOOP("Templates", "混控的两路共用这个舵机的行程：100% 让两路同时打满时用足舵机行程")});
    }
    return s;
}

const TemplateSetting kElevonOff{Field::elevonMix, 0, 0,
                                 QT_TRANSLATE_NOOP("Templates", "副翼和升降舵各有自己的舵机，升降副翼混控关闭")};
const TemplateSetting kVtailOff{Field::vtailMix, 0, 0,
                                QT_TRANSLATE_NOOP("Templates", "升降舵和方向舵各有自己的舵机，V型尾翼混控关闭")};

QVector<SetupTemplate> build()
{
    QVector<SetupTemplate> list;
    list.append({Airframe::Plane,
                 QT_TRANSLATE_NOOP("Templates",
                                   "副翼 CH1、升降舵 CH2、油门 CH3、方向舵 CH4，不用混控。"
                                   "CH1 正相：向右压副翼，右副翼向上、左副翼向下；反相则两侧都反过来。"
                                   "CH2 正相：拉杆，升降舵向上。CH4 正相：向右打方向舵，方向舵后缘向右。"
                                   "油门 CH3 的相位保留发射机原来的设置。"),
                 QVector<TemplateSetting>{kElevonOff, kVtailOff} + planeSurfaces() + dualRate({1, 2, 4})});

    list.append(
        {Airframe::Delta,
         QT_TRANSLATE_NOOP("Templates",
                           "飞翼或三角翼：左升降副翼 CH1、右升降副翼 CH2、油门 CH3，升降副翼混控打开。"
                           "副翼1 为正：向右压副翼，左升降副翼（CH1）向下；副翼2 为正：右升降副翼（CH2）向上。"
                           "升降2 为正：拉杆，右升降副翼向上；升降1 为负：拉杆，左升降副翼也向上。"
                           "改掉一个比例的正负号，只反转这一侧对这一个摇杆的动作；"
                           "把 CH1 或 CH2 改成反相，这一侧的副翼和升降动作都会反过来。"),
         QVector<TemplateSetting>{
             {Field::elevonMix, 0, 1, QT_TRANSLATE_NOOP("Templates", "两个升降副翼各接一个通道，由混控同时做副翼和升降")},
             kVtailOff,
             {Field::elevon, 1, 50,
              QT_TRANSLATE_NOOP("Templates", "副翼1 +50%：向右压副翼，CH1 输出为正，左升降副翼向下")},
             {Field::elevon, 2, 50,
              QT_TRANSLATE_NOOP("Templates", "副翼2 +50%：向右压副翼，CH2 输出为正，右升降副翼向上")},
             {Field::elevon, 3, 50, QT_TRANSLATE_NOOP("Templates", "升降2 +50%：拉杆，CH2 输出为正，右升降副翼向上")},
             {Field::elevon, 4, -50,
              QT_TRANSLATE_NOOP("Templates", "升降1 -50%：拉杆，CH1 输出为负，左升降副翼（舵机反装）也向上")},
             {Field::reverse, 1, 0, QT_TRANSLATE_NOOP("Templates", "CH1 正相：左升降副翼的方向由混控比例的正负号决定")},
             {Field::reverse, 2, 0, QT_TRANSLATE_NOOP("Templates", "CH2 正相：右升降副翼的方向由混控比例的正负号决定")},
         } + endPoints({1, 2})
             + dualRate({1, 2})});

    list.append(
        {Airframe::VTail,
         QT_TRANSLATE_NOOP("Templates",
                           "V 尾：副翼 CH1、左 V 尾舵面 CH2、油门 CH3、右 V 尾舵面 CH4，V型尾翼混控打开。"
                           "升降1 为正、升降2 为负：拉杆，两个 V 尾舵面都向上。"
                           "尾舵1、尾舵2 为正：向右打方向舵，左 V 尾舵面向上、右 V 尾舵面向下。"
                           "改掉一个比例的正负号，只反转这一侧对这一个摇杆的动作；"
                           "把 CH2 或 CH4 改成反相，这一侧的升降和方向动作都会反过来。副翼与固定翼相同。"),
         QVector<TemplateSetting>{
             kElevonOff,
             {Field::vtailMix, 0, 1, QT_TRANSLATE_NOOP("Templates", "两个 V 尾舵面各接一个通道，由混控同时做升降和方向")},
             {Field::vtail, 1, 50, QT_TRANSLATE_NOOP("Templates", "升降1 +50%：拉杆，CH2 输出为正，左 V 尾舵面向上")},
             {Field::vtail, 2, -50,
              QT_TRANSLATE_NOOP("Templates", "升降2 -50%：拉杆，CH4 输出为负，右 V 尾舵面（舵机反装）也向上")},
             {Field::vtail, 3, 50,
              QT_TRANSLATE_NOOP("Templates", "尾舵2 +50%：向右打方向舵，CH4 输出为正，右 V 尾舵面向下")},
             {Field::vtail, 4, 50, QT_TRANSLATE_NOOP("Templates", "尾舵1 +50%：向右打方向舵，CH2 输出为正，左 V 尾舵面向上")},
             {Field::reverse, 1, 0,
              QT_TRANSLATE_NOOP("Templates", "CH1 副翼正相：向右压副翼，右副翼向上、左副翼向下（一根 Y 线接两个舵机）")},
             {Field::reverse, 2, 0, QT_TRANSLATE_NOOP("Templates", "CH2 正相：左 V 尾舵面的方向由混控比例的正负号决定")},
             {Field::reverse, 4, 0, QT_TRANSLATE_NOOP("Templates", "CH4 正相：右 V 尾舵面的方向由混控比例的正负号决定")},
         } + endPoints({2, 4})
             + dualRate({1, 2, 4})});

    list.append({Airframe::Glider,
                 QT_TRANSLATE_NOOP("Templates",
                                   "滑翔机：副翼 CH1、升降舵 CH2、方向舵 CH4，没有油门，不用混控。"
                                   "CH1 正相：向右压副翼，右副翼向上、左副翼向下；反相则两侧都反过来。"
                                   "CH2 正相：拉杆，升降舵向上。CH4 正相：向右打方向舵，方向舵后缘向右。"),
                 QVector<TemplateSetting>{kElevonOff, kVtailOff,
                                          {Field::thrCurveMix, 0, 0,
                                           QT_TRANSLATE_NOOP("Templates", "滑翔机没有电机，油门曲线关闭")}}
                     + planeSurfaces() + dualRate({1, 2, 4})});
    return list;
}

} // namespace

namespace templates {

const QVector<SetupTemplate> &all()
{
    static const QVector<SetupTemplate> list = build();
    return list;
}

const SetupTemplate *of(Airframe kind)
{
    for (const SetupTemplate &t : all())
        if (t.kind == kind)
            return &t;
    return nullptr;
}

QVector<TemplateSetting> settingsOf(const SetupTemplate &t, int stickMode)
{
    QVector<TemplateSetting> s = t.settings;
    s.append({Field::stickMode, 0, qBound(firstStickMode, stickMode, lastStickMode),
              QT_TRANSLATE_NOOP("Templates", "摇杆模式：决定哪个摇杆控制副翼、升降、油门和方向")});
    return s;
}

ParamSet apply(const SetupTemplate &t, int stickMode, const ParamSet &base)
{
    ParamSet p = base;
    for (const TemplateSetting &s : settingsOf(t, stickMode))
        fieldRef(p, s.field, s.index) = s.value;
    // drUp and drDown carry the selected channel's rates; they follow.
    drDataSelet(p);
    return p;
}

QString description(const SetupTemplate &t)
{
    return QCoreApplication::translate("Templates", t.description);
}

QString why(const TemplateSetting &s)
{
    return QCoreApplication::translate("Templates", s.why);
}

} // namespace templates
