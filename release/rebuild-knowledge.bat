@echo off
rem 用 data 文件夹里的 dbs.tsv 和 dbv.tsv 重新生成知识库 dbs.edb 和 dbv.edb。
rem 两个新文件都生成成功后才替换旧文件，出错时旧的知识库保持不变。
rem 在聊天里教过的回答（taught.tsv）会重新写进新的 dbs.edb，不会丢。
setlocal
cd /d "%~dp0"
set status=0
call :make dbs
if errorlevel 1 goto failed
call :make dbv
if errorlevel 1 goto failed
.\edbtool.exe reteach dbs.new.edb
if errorlevel 1 goto failed
move /y dbs.new.edb dbs.edb >nul
if errorlevel 1 goto failed
move /y dbv.new.edb dbv.edb >nul
if errorlevel 1 goto failed
echo 知识库已更新：dbs.edb 和 dbv.edb。
goto finish

:failed
set status=1
if exist dbs.new.edb del dbs.new.edb
if exist dbv.new.edb del dbv.new.edb
echo 更新失败，旧的知识库没有改动。请按上面的提示修改 data 文件夹里的文件，再试一次。

:finish
rem 双击运行时窗口会马上关闭，先停一下，好让人看清结果。
pause
exit /b %status%

rem 用 data\名字.tsv 生成 名字.new.edb。
:make
if exist %1.new.edb del %1.new.edb
.\edbtool.exe create %1.new.edb --schema %1 --from data\%1.tsv
exit /b %errorlevel%
