#pragma once

#include <QString>

// The captions printed into the page pictures, in the three languages
// (1 English, 2 Traditional Chinese, 3 Simplified Chinese).
namespace skin {

struct Caption {
    const char* english;
    const char* traditional;
    const char* simplified;

    QString in(int language) const {
        const char* text = language == 2 ? traditional : language == 3 ? simplified : english;
        return QString::fromUtf8(text);
    }
};

namespace text {
// Background
inline constexpr Caption kTagline{"GAMING MOUSE CONTROL CENTER", "遊戲滑鼠控制中心",
                                  "游戏鼠标控制中心"};

// Main Control
inline constexpr Caption kAssignTitle{"BUTTON ASSIGNMENT", "按鍵定義", "按键定义"};
inline constexpr Caption kAssignHint{"Click a label to choose its function",
                                     "點擊按鍵標籤即可選擇功能", "点击按键标签即可选择功能"};

// Advanced
inline constexpr Caption kPointerSpeed{"POINTER SPEED", "指標速度", "指针速度"};
inline constexpr Caption kDoubleClick{"DOUBLE-CLICK SPEED", "連按速度", "双击速度"};
inline constexpr Caption kScrollLines{"SCROLL LINES", "滾輪捲動行數", "滚轮滚动行数"};
inline constexpr Caption kSlow{"Slow", "慢", "慢"};
inline constexpr Caption kFast{"Fast", "快", "快"};
inline constexpr Caption kLess{"Less", "少", "少"};
inline constexpr Caption kMore{"More", "多", "多"};
inline constexpr Caption kFireKey{"FIRE KEY", "連擊鍵", "连击键"};
inline constexpr Caption kRepeatCount{"Repeat count", "連擊次數", "连击次数"};
inline constexpr Caption kFireTime{"Fire time", "連擊間隔", "连击间隔"};
inline constexpr Caption kCpiLevels{"CPI LEVELS", "CPI 段位", "CPI 档位"};
inline constexpr Caption kLevel{"Level", "段位", "档位"};
inline constexpr Caption kCurrent{"Current", "當前", "当前"};
inline constexpr Caption kValue{"Value", "數值", "数值"};
inline constexpr Caption kCpi{"CPI", "CPI", "CPI"};
inline constexpr Caption kColour{"Colour", "顏色", "颜色"};
inline constexpr Caption kCpiHint{"Click a level name to switch it on or off",
                                  "點擊段位名稱可啟用或停用該段位",
                                  "点击档位名称可启用或停用该档位"};

// Breathing Light
inline constexpr Caption kEffectSwitch{"Button Effect Switch", "按鍵燈效開關", "按键灯效开关"};
inline constexpr Caption kEffect{"Button Effect", "按鍵燈效", "按键灯效"};
inline constexpr Caption kOn{"On", "開", "开"};
inline constexpr Caption kOff{"Off", "關", "关"};
inline constexpr Caption kLightMode{"LIGHT MODE", "燈光模式", "灯光模式"};
inline constexpr Caption kSevenColour{"Seven-Colour Breathing", "七彩呼吸", "七彩呼吸"};
inline constexpr Caption kCpiColour{"CPI-Colour Breathing", "CPI 顏色呼吸", "CPI 颜色呼吸"};
inline constexpr Caption kFlame{"Flame", "火焰", "火焰"};
inline constexpr Caption kWindFire{"Wind-Fire Wheel", "風火輪", "风火轮"};
inline constexpr Caption kLightsOff{"Lights Off", "關閉燈光", "关闭灯光"};
inline constexpr Caption kStep{"Step", "步進", "步进"};
inline constexpr Caption kHoldTurns{"Hold / Turns", "保持 / 圈數", "保持 / 圈数"};
inline constexpr Caption kMs{"ms", "毫秒", "毫秒"};
inline constexpr Caption kTimes32Ms{"\u00d732 ms", "\u00d732ms", "\u00d732ms"};
inline constexpr Caption kTurns{"turns", "圈", "圈"};
inline constexpr Caption kColourMode{"COLOUR MODE", "顏色模式", "颜色模式"};
inline constexpr Caption kSteady{"Steady", "常亮", "常亮"};
inline constexpr Caption kLightOff{"Off", "關閉", "关闭"};
inline constexpr Caption kBreathing{"BREATHING", "呼吸模式", "呼吸模式"};
inline constexpr Caption kBreathe{"Breathing", "呼吸", "呼吸"};
inline constexpr Caption kSyncBreathe{"Sync Breathing", "同步呼吸", "同步呼吸"};
inline constexpr Caption kOffTime{"Off", "熄滅", "熄灭"};
inline constexpr Caption kRiseTime{"Rise", "漸亮", "渐亮"};
inline constexpr Caption kLightTime{"Light", "常亮", "常亮"};
inline constexpr Caption kFallTime{"Fall", "漸暗", "渐暗"};

// Macro
inline constexpr Caption kMacroList{"MACRO LIST", "巨集列表", "宏列表"};
inline constexpr Caption kMacroSteps{"MACRO STEPS", "巨集步驟", "宏步骤"};
inline constexpr Caption kDelayMode{"DELAY MODE", "延遲模式", "延迟模式"};
inline constexpr Caption kRecordDelay{"Record Delay", "延遲記錄", "延迟记录"};
inline constexpr Caption kDefaultDelay{"Default Delay", "延遲設定", "延迟设定"};
inline constexpr Caption kNoDelay{"No Delay", "無延遲", "无延迟"};
inline constexpr Caption kDelayTime{"Delay Time", "延遲設定值", "延迟设定值"};
inline constexpr Caption kRecordEdit{"RECORD & EDIT", "記錄與編輯", "记录与编辑"};
inline constexpr Caption kMacros{"MACROS", "巨集管理", "宏管理"};
inline constexpr Caption kFiles{"FILES", "檔案", "文件"};
}  // namespace text

}  // namespace skin
