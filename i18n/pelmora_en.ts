<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Pelmora</name>
    <message>
        <extracomment>Title of most message boxes.</extracomment>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <extracomment>Title of the game window.</extracomment>
        <source>Vorle麻将连连看</source>
        <translation>Vorle Mahjong Connect</translation>
    </message>
    <message>
        <source>您的电脑不支持此游戏</source>
        <translation>This computer cannot run the game.</translation>
    </message>
    <message>
        <source>资源文件不完整请重新下载</source>
        <translation>The game's files are incomplete. Please download the game again.</translation>
    </message>
    <message>
        <source>请先选择需要炸掉的麻将</source>
        <translation>Select the tile to blow up first.</translation>
    </message>
    <message>
        <source>上一轮炸弹正在进行中...请等待!</source>
        <translation>The last bomb is still going off... Please wait!</translation>
    </message>
    <message>
        <source>提示道具已用完</source>
        <translation>No hints left.</translation>
    </message>
    <message>
        <source>打乱道具已用完</source>
        <translation>No shuffles left.</translation>
    </message>
    <message>
        <source>炸弹道具已用完</source>
        <translation>No bombs left.</translation>
    </message>
    <message>
        <source>游戏结束，请再接再厉争取通关。</source>
        <translation>Game over. Try again, and clear the map next time!</translation>
    </message>
    <message>
        <source>当前地图有错误</source>
        <translation>The map has errors.</translation>
    </message>
    <message>
        <source>发生严重错误，系统找不到有效的地图文件。</source>
        <translation>A serious error: no valid map file was found.</translation>
    </message>
    <message>
        <source>无法读取地图文件，可能不是一个有效的地图文件。</source>
        <translation>The map file cannot be read; it may not be a map file.</translation>
    </message>
    <message>
        <extracomment>Title of the file dialog that opens a map.</extracomment>
        <source>选择地图文件</source>
        <translation>Choose a Map File</translation>
    </message>
    <message>
        <extracomment>File dialog filter: a description, a bar, the pattern. Keep the bar and the pattern.</extracomment>
        <source>地图文件 (*.xml)|*.xml</source>
        <translation>Map files (*.xml)|*.xml</translation>
    </message>
    <message>
        <extracomment>Title of the settings window.</extracomment>
        <source>游戏设置</source>
        <translation>Game Settings</translation>
    </message>
    <message>
        <extracomment>Frame caption.</extracomment>
        <source>背景设置</source>
        <translation>Background</translation>
    </message>
    <message>
        <extracomment>Check box, 100 px wide at 12 px: about 12 Latin letters.</extracomment>
        <source>默认背景图片</source>
        <translation>Game images</translation>
    </message>
    <message>
        <extracomment>Check box, 100 px wide at 12 px: about 12 Latin letters.</extracomment>
        <source>自选背景图片</source>
        <translation>My images</translation>
    </message>
    <message>
        <extracomment>Check box, 115 px wide at 12 px: about 15 Latin letters.</extracomment>
        <source>使用颜色做背景</source>
        <translation>Plain colour</translation>
    </message>
    <message>
        <extracomment>Frame caption.</extracomment>
        <source>声音设置</source>
        <translation>Sound</translation>
    </message>
    <message>
        <extracomment>Check box switching the music on and off, 100 px wide: about 12 Latin letters.</extracomment>
        <source>游戏音乐开关</source>
        <translation>Music</translation>
    </message>
    <message>
        <extracomment>Check box, 100 px wide: about 12 Latin letters.</extracomment>
        <source>默认背景音乐</source>
        <translation>Game music</translation>
    </message>
    <message>
        <extracomment>Check box, 100 px wide: about 12 Latin letters.</extracomment>
        <source>自选背景音乐</source>
        <translation>My music</translation>
    </message>
    <message>
        <extracomment>Check box switching the sound effects on and off, 100 px wide: about 12 Latin letters.</extracomment>
        <source>游戏音效开关</source>
        <translation>Effects</translation>
    </message>
    <message>
        <extracomment>%1 is the volume in percent, 0 to 100. Label 85 px wide: about 14 Latin letters with the number.</extracomment>
        <source>设置音量：%1%</source>
        <translation>Volume: %1%</translation>
    </message>
    <message>
        <extracomment>Frame caption.</extracomment>
        <source>显示设置</source>
        <translation>Display</translation>
    </message>
    <message>
        <extracomment>Label of the window size list, 55 px wide: about 9 Latin letters.</extracomment>
        <source>窗口大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <extracomment>Check box, 100 px wide: about 12 Latin letters.</extracomment>
        <source>全屏显示</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <extracomment>Label of the language list, 55 px wide: about 9 Latin letters.</extracomment>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <extracomment>Language list: the desktop's language. The list is 80 px wide: about 8 Latin letters.</extracomment>
        <source>自动</source>
        <translation>Auto</translation>
    </message>
    <message>
        <extracomment>Language list: the original Chinese. About 8 Latin letters.</extracomment>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <extracomment>Language list: English. About 8 Latin letters.</extracomment>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <extracomment>Shown in the language just chosen: the programs change their language when they start next. About 40 Latin letters.</extracomment>
        <source>下次启动时生效</source>
        <translation>Applies at the next start</translation>
    </message>
    <message>
        <extracomment>Title of the folder dialog.</extracomment>
        <source>请选择图片所在目录，游戏每过一关将更换一张图片。</source>
        <translation>Choose the folder of your pictures: the game shows another one at every level.</translation>
    </message>
    <message>
        <extracomment>Title of the folder dialog.</extracomment>
        <source>请选择音乐所在目录。</source>
        <translation>Choose the folder of your music.</translation>
    </message>
    <message>
        <extracomment>Big title of the level introduction; %1 is the level number (up to 300). At most 900 px at 160 px bold.</extracomment>
        <source>第%1关</source>
        <translation>Level %1</translation>
    </message>
    <message>
        <extracomment>Under the title; %1 is the map's level count.</extracomment>
        <source>共%1关</source>
        <translation>Levels in all: %1</translation>
    </message>
    <message>
        <extracomment>Drawn from x 390 on.</extracomment>
        <source>点击鼠标进入</source>
        <translation>Click to start</translation>
    </message>
    <message>
        <source>载入地图中...</source>
        <translation>Loading map...</translation>
    </message>
    <message>
        <extracomment>Button of the level selection page.</extracomment>
        <source>主菜单</source>
        <translation>Menu</translation>
    </message>
    <message>
        <extracomment>Button of the level selection page: the page before, 70 px wide at 20 px bold.</extracomment>
        <source>上一页</source>
        <translation>Prev</translation>
    </message>
    <message>
        <extracomment>Button of the level selection page: the first page.</extracomment>
        <source>首  页</source>
        <translation>First</translation>
    </message>
    <message>
        <extracomment>Button of the level selection page.</extracomment>
        <source>下一页</source>
        <translation>Next</translation>
    </message>
    <message>
        <extracomment>Help page, one line of at most 860 px at 20 px bold: about 85 Latin letters.</extracomment>
        <source>闯关模式：此模式将按第一关开始一关一关的玩，考验有没有通关能力的模式。</source>
        <translation>Progress mode: play the levels in order from the first; can you clear them all?</translation>
    </message>
    <message>
        <extracomment>Help page line.</extracomment>
        <source>自由模式：可以随意选择某关来玩，这样可以跳过一些不喜欢玩的关卡。</source>
        <translation>Free mode: pick any level you like and skip the ones you do not enjoy.</translation>
    </message>
    <message>
        <extracomment>Help page line; the next line goes on with it.</extracomment>
        <source>规则说明：选中两张点数一样的麻将牌（左或右没有阻拦）并且上层没有被挡住即可消除掉，</source>
        <translation>Rules: select two tiles with the same face, each free on its left or right side</translation>
    </message>
    <message>
        <extracomment>Help page line going on with the one before: the leading blanks indent it.</extracomment>
        <source>          目标是把麻将全部消除掉后过关,继续探索下一关的奥秘。</source>
        <translation>          and not covered from above, and both are removed. Clear them all to go on!</translation>
    </message>
    <message>
        <extracomment>Help page line.</extracomment>
        <source>提示道具：如果看不到可以消除的牌，可使用此道具提示哪些牌可以消除。</source>
        <translation>Hint: when you see no pair to remove, a hint shows you one.</translation>
    </message>
    <message>
        <extracomment>Help page line.</extracomment>
        <source>洗牌道具：如果遇到无法解开的局面，可使用此道具重新排列麻将牌。</source>
        <translation>Shuffle: when the board cannot be solved, a shuffle deals the tiles anew.</translation>
    </message>
    <message>
        <extracomment>Help page line.</extracomment>
        <source>炸弹道具：此道具威力凶猛可以把选中的麻将点数全部炸掉。</source>
        <translation>Bomb: a mighty blast that removes every tile with the face of the selected one.</translation>
    </message>
    <message>
        <extracomment>Help page line.</extracomment>
        <source>奖励分数：消除掉麻将增加相应分数，分数根据消除的速度增加，消除的越快分数也就越多。</source>
        <translation>Bonus points: every pair scores by your speed: the faster, the more points.</translation>
    </message>
    <message>
        <extracomment>Help page line going on with the one before: the leading blanks indent it.</extracomment>
        <source>          连续消除3次得分都在85以上中间不间断，奖励500积分。</source>
        <translation>                     Three pairs in a row of 85 points or more earn 500 points more.</translation>
    </message>
    <message>
        <extracomment>Help page line.</extracomment>
        <source>奖励提示：开始游戏默认有10个提示，后每过一关增加一个提示。</source>
        <translation>Bonus hints: you start with 10 hints and get one more after every level.</translation>
    </message>
    <message>
        <extracomment>Help page line.</extracomment>
        <source>奖励洗牌：根据所得分数每增加8000分奖励一个洗牌道具。</source>
        <translation>Bonus shuffles: every 8000 points earn one more shuffle.</translation>
    </message>
    <message>
        <extracomment>Help page line.</extracomment>
        <source>奖励炸弹：根据所得分数每增加16000分奖励一个炸弹道具。</source>
        <translation>Bonus bombs: every 16000 points earn one more bomb.</translation>
    </message>
    <message>
        <extracomment>Line of the reward banner.</extracomment>
        <source>连击奖励 1000 分</source>
        <translation>Streak bonus: 1000 points</translation>
    </message>
    <message>
        <extracomment>Line of the reward banner.</extracomment>
        <source>奖励洗牌 1 个</source>
        <translation>Bonus: 1 shuffle</translation>
    </message>
    <message>
        <extracomment>Line of the reward banner.</extracomment>
        <source>奖励炸弹 1 个</source>
        <translation>Bonus: 1 bomb</translation>
    </message>
    <message>
        <extracomment>Title of the result page after the last level, at most 900 px at 120 px bold: about 14 Latin letters.</extracomment>
        <source>恭喜你通关啦</source>
        <translation>You Made It!</translation>
    </message>
    <message>
        <extracomment>Result page; %1 is the points of the hints left.</extracomment>
        <source>提示得分：%1</source>
        <translation>Hint points: %1</translation>
    </message>
    <message>
        <extracomment>Result page; %1 is the points of the shuffles left.</extracomment>
        <source>洗牌得分：%1</source>
        <translation>Shuffle points: %1</translation>
    </message>
    <message>
        <extracomment>Result page; %1 is the points of the bombs left.</extracomment>
        <source>炸弹得分：%1</source>
        <translation>Bomb points: %1</translation>
    </message>
    <message>
        <extracomment>Result page; %1 is the score of the pairs taken.</extracomment>
        <source>消除得分：%1</source>
        <translation>Pair points: %1</translation>
    </message>
    <message>
        <extracomment>Result page; %1 is the total score.</extracomment>
        <source>总分：%1</source>
        <translation>Total: %1</translation>
    </message>
    <message>
        <extracomment>Title of the editor window.</extracomment>
        <source>Vorle麻将连连看地图编辑器</source>
        <translation>Vorle Mahjong Connect Map Editor</translation>
    </message>
    <message>
        <source>无法打开窗口</source>
        <translation>Cannot open a window.</translation>
    </message>
    <message>
        <extracomment>Editor button, 80 px wide.</extracomment>
        <source>新建立一关</source>
        <translation>New level</translation>
    </message>
    <message>
        <extracomment>Editor button, 80 px wide.</extracomment>
        <source>新建立一层</source>
        <translation>New layer</translation>
    </message>
    <message>
        <extracomment>Editor button, 75 px wide.</extracomment>
        <source>打开地图</source>
        <translation>Open map</translation>
    </message>
    <message>
        <extracomment>Editor button, 75 px wide, the save window's button and its title.</extracomment>
        <source>保存地图</source>
        <translation>Save map</translation>
    </message>
    <message>
        <extracomment>Editor instructions, 320 px wide.</extracomment>
        <source>说明:点鼠标左键清除麻将，右键显示麻将，也可按住拖动。</source>
        <translation>Left click clears tiles, right click shows them; drag for more.</translation>
    </message>
    <message>
        <extracomment>Editor status bar, 70 px wide.</extracomment>
        <source>状态提示：</source>
        <translation>Status:</translation>
    </message>
    <message>
        <extracomment>Editor status bar, 260 px wide.</extracomment>
        <source>小提示：显示的麻将牌必须是双数才能保存。</source>
        <translation>Tip: each level needs an even number of tiles.</translation>
    </message>
    <message>
        <extracomment>Editor status bar, 210 px wide; %1 levels of the map, %2 the level edited.</extracomment>
        <source>当前地图共有%1关，正在编辑第%2关。</source>
        <translation>Map levels: %1, editing level %2.</translation>
    </message>
    <message>
        <extracomment>Editor status bar, 210 px wide; %1 layers of the level, %2 the layer edited.</extracomment>
        <source>当前关卡共有%1层，正在编辑第%2层。</source>
        <translation>Level layers: %1, editing layer %2.</translation>
    </message>
    <message>
        <extracomment>Editor status bar, 180 px wide; %1 is the number of tiles.</extracomment>
        <source>当前关卡显示了%1张麻将牌</source>
        <translation>Tiles shown in this level: %1</translation>
    </message>
    <message>
        <extracomment>Item of the editor's level list, 100 px wide; %1 is the level (up to 300).</extracomment>
        <source>转到第%1关</source>
        <translation>Level %1</translation>
    </message>
    <message>
        <extracomment>Item of the editor's layer list, 100 px wide; %1 is the layer (up to 9).</extracomment>
        <source>编辑第%1层</source>
        <translation>Layer %1</translation>
    </message>
    <message>
        <extracomment>Title of the window choosing the new level's arrangement type.</extracomment>
        <source>新建立关</source>
        <translation>New Level</translation>
    </message>
    <message>
        <source>先建立关后再建立层</source>
        <translation>Make a level first, then its layers.</translation>
    </message>
    <message>
        <source>每关最多只能建立9层</source>
        <translation>A level can have at most 9 layers.</translation>
    </message>
    <message>
        <source>地图还没保存是否需要保存？</source>
        <translation>The map is not saved. Save it now?</translation>
    </message>
    <message>
        <extracomment>%1 is the level number.</extracomment>
        <source>第[%1]关麻将牌数量不是双数，请修改。</source>
        <translation>Level [%1] has an odd number of tiles. Please change it.</translation>
    </message>
    <message>
        <source>无法保存可能没有权限!</source>
        <translation>Cannot save; perhaps you lack the permission!</translation>
    </message>
    <message>
        <source>保存成功</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <extracomment>Title of the file dialog that saves a map.</extracomment>
        <source>保存文件</source>
        <translation>Save File</translation>
    </message>
    <message>
        <extracomment>Title of the box asking for a map's edit password.</extracomment>
        <source>输入编辑密码</source>
        <translation>Edit Password</translation>
    </message>
    <message>
        <source>本地图需要输入密码才能编辑,请输入编辑密码:</source>
        <translation>This map is locked. Enter its edit password:</translation>
    </message>
    <message>
        <source>密码错误，是否重新输入？</source>
        <translation>Wrong password. Try again?</translation>
    </message>
    <message>
        <extracomment>Caption in the save window, 60 px wide.</extracomment>
        <source>地图作者:</source>
        <translation>Author:</translation>
    </message>
    <message>
        <extracomment>Caption in the save window, 60 px wide.</extracomment>
        <source>联系方式:</source>
        <translation>Contact:</translation>
    </message>
    <message>
        <extracomment>Caption in the save window, 60 px wide.</extracomment>
        <source>编辑密码:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <extracomment>Caption in the save window, 60 px wide: the map's introduction.</extracomment>
        <source>地图介绍:</source>
        <translation>Intro:</translation>
    </message>
    <message>
        <extracomment>Status bar of the save window, 60 px wide.</extracomment>
        <source>保存进度:</source>
        <translation>Progress:</translation>
    </message>
    <message>
        <source>程序不能启动。</source>
        <translation>The program cannot start.</translation>
    </message>
    <message>
        <source>无法建立玩家文件夹，程序不能启动。</source>
        <translation>The player's folder cannot be made; the program cannot start.</translation>
    </message>
</context>
</TS>
