@echo off
rem 用 data 文件夹里的 dbs.tsv 和 dbv.tsv 重新生成知识库 dbs.edb 和 dbv.edb。
rem 两个新文件都生成成功后才替换旧文件，出错时旧的知识库保持不变。
rem 在聊天里教过的回答（taught.tsv）会重新写进新的 dbs.edb，不会丢。
setlocal
rem 进不了自己的文件夹（网络路径、cmd 认不得的名字）就停下，不在别处删文件、运行程序。
rem 进去了，这个批处理文件自己就在当前文件夹里。
cd /d "%~dp0" 2>nul
if not exist "%~nx0" goto nofolder
rem 工具和文件都用完整路径，不用当前文件夹里同名的东西。在子程序里 %0 是标签名，所以先记下。
set "here=%~dp0"
set status=0
call :make dbs
if errorlevel 1 goto failed
call :make dbv
if errorlevel 1 goto failed
"%here%edbtool.exe" reteach "%here%dbs.new.edb"
if errorlevel 1 goto failed
move /y "%here%dbs.new.edb" "%here%dbs.edb" >nul
if errorlevel 1 goto failed
move /y "%here%dbv.new.edb" "%here%dbv.edb" >nul
if errorlevel 1 goto failed
echo 知识库已更新：dbs.edb 和 dbv.edb。
goto finish

:failed
set status=1
if exist "%here%dbs.new.edb" del "%here%dbs.new.edb"
if exist "%here%dbv.new.edb" del "%here%dbv.new.edb"
echo 更新失败，旧的知识库没有改动。请按上面的提示修改 data 文件夹里的文件，再试一次。
goto finish

:nofolder
set status=1
echo 无法进入本文件夹：%~dp0
echo 什么都没有做。请把整个文件夹复制到本机硬盘上（例如桌面），再运行一次。
goto finish

:finish
rem 双击运行时窗口会马上关闭，先停一下，好让人看清结果。
pause
exit /b %status%

rem 用 data\名字.tsv 生成 名字.new.edb。
:make
if exist "%here%%1.new.edb" del "%here%%1.new.edb"
"%here%edbtool.exe" create "%here%%1.new.edb" --schema %1 --from "%here%data\%1.tsv"
exit /b %errorlevel%
