#include "menus/MusicTracks.h"

namespace korvid {

const std::array<MusicTrack, kMusicTrackCount> kMusicTracks{{
    {"01.鸦羽之夜　～ Night of Crow Feathers", "标题画面的主题。\n慢慢落下的黑色羽毛，和还没开始的长夜。", "Music/title.mp3"},
    {"02.黄昏的原野", "第一面的道中曲。\n夕阳把草原染成橙色，\n风里已经带着夜的味道。", "Music/music1.ogg"},
    {"03.vs 暮音　～ 迟暮的钟声", "暮音的主题。\n想让时间永远停在黄昏的少女。\n钟声每响一次，天就暗一分。", "Music/music1boss.ogg"},
    {"04.铁羽的天空", "第二面的道中曲。\n云层之上，引擎的轰鸣越来越近。", "Music/music2.mp3"},
    {"05.vs 雷娜　～ 全炮门，开火！", "雷娜与铁羽号的主题。\n世界上最快的飞空艇，\n以及最不肯认输的船长。", "Music/music2boss.mp3"},
    {"06.停滞的时之竹林", "第三面的道中曲。\n竹叶停在半空中，连露水都不再落下。", "Music/music3.mp3"},
    {"07.vs 时雨　～ 不会停的雨", "时雨的主题。\n在停滞的竹林里，只有她的雨还在下。", "Music/music3boss.mp3"},
    {"08.锻冶的要塞", "第四面的道中曲。\n铁墙与火炉之间的窄路，\n一步也不能走错。", "Music/music4.mp3"},
    {"09.vs 炉火　～ 赤热的铁砧", "炉火的主题。\n要塞的主人，把一切都当作\n可以重新锻造的材料。", "Music/music4boss.ogg"},
    {"10.双子的回廊", "第五面的道中曲。\n无尽的柱廊里，左边和右边\n总有一边是假的。", "Music/music5.mp3"},
    {"11.vs 左纱　～ 镜之左手", "左纱的主题。\n冷静的姐姐，负责回廊的左侧。", "Music/music5boss.mp3"},
    {"12.vs 右纱　～ 镜之右手", "右纱的主题。\n热情的妹妹，负责回廊的右侧。\n两人合在一起才是完整的曲子。", "Music/music5bossb.mp3"},
    {"13.鸦王的夜城", "第六面的道中曲。\n高塔上的城，夜色从这里流向整个世界。", "Music/music6.mp3"},
    {"14.vs 鸦王　～ Korvid", "鸦王的主题。\n收集所有黑羽的王，\n想让夜晚永远不会结束。", "Music/music6boss.mp3"},
    {"15.vs 鸦王　～ 王冠落下之时", "鸦王第二形态的主题。\n羽翼展开，整个夜空都成了战场。", "Music/music6bossb.ogg"},
    {"16.vs 影鸦　～ The Shadow", "藏在鸦王身后的影子的主题。\n只有真正的勇者才会听到。", "Music/trueboss.ogg"},
    {"17.黎明的航迹　～ Staff Roll", "制作人员名单的曲子。\n长夜结束，天边第一道光。", "Music/staff.mp3"},
    {"18.鸦羽之夜的尽头", "额外关卡的道中曲。\n故事结束之后，还有一段更深的夜。", "Music/musicex.mp3"},
    {"19.vs 夜鸦姬　～ Nyx", "夜鸦姬的主题。\n夜晚本身化成的少女。\n这是最后，也是最长的一首曲子。", "Music/musicexboss.mp3"},
}};

}  // namespace korvid
