@echo off
rem Text extraction with the host's Ghostscript, through gsbridge.exe beside this script.
"%~dp0gsbridge.exe" --ps2ascii %*
